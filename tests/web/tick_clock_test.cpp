// TickClock: the page's ticks keep a 75 ms period on average however late its timers go off, and
// a stall brings one tick and then a whole period, never a burst.
#include <gtest/gtest.h>

#include <random>

#include "window/web/tick_clock.h"

namespace worm {
namespace {

constexpr double period = 75;

TEST(TickClock, FirstTickComesOnePeriodAfterTheStartAndNotBefore)
{
    TickClock clock;
    clock.start(1000.4, period);
    EXPECT_EQ(clock.delay(1000.9), period - 1) << "whole milliseconds, never past the due time";
    EXPECT_FALSE(clock.fire(1074.4)) << "a whole millisecond early";
    EXPECT_EQ(clock.delay(1074.4), 1);
    EXPECT_TRUE(clock.fire(1074.5)) << "the browser's timer, a fraction of its millisecond short";
    EXPECT_FALSE(clock.fire(1075.4)) << "one tick per period";
}

// A browser's timers as Chromium runs them: the wait cut to whole milliseconds, then some
// lateness. A timer that brought no tick would have to be armed again for the rest, under 4 ms,
// which Chromium stretches to 4 ms once timers have nested five deep.
TEST(TickClock, EveryTimerBringsItsTickWithinTheBrowsersMillisecond)
{
    TickClock clock;
    clock.start(0.37, period);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> late(0, 2), work(0, 3);
    double now = 0.37;
    for (int tick = 1; tick <= 10000; ++tick) {
        now += work(random); // the tick's work, then the timer is armed
        const double due = clock.due();
        const double wait = clock.delay(now);
        ASSERT_LE(now + wait, due) << "tick " << tick << ": a wait rounded past the due time";
        const double wentOff = now + std::floor(wait) + late(random);
        ASSERT_TRUE(clock.fire(wentOff))
            << "tick " << tick << ": the timer brought no tick and is armed again";
        ASSERT_GT(wentOff, due - 1) << "tick " << tick;
        now = wentOff;
    }
}

TEST(TickClock, LateTimersDoNotAddUp)
{
    TickClock clock;
    clock.start(0, period);
    std::mt19937 jitter(7);
    std::uniform_real_distribution<double> late(0, 20);
    double now = 0;
    for (int tick = 1; tick <= 10000; ++tick) {
        now += clock.delay(now) + late(jitter); // each timer goes off up to 20 ms late
        ASSERT_TRUE(clock.fire(now));
        ASSERT_EQ(clock.due(), (tick + 1) * period) << "tick " << tick;
    }
    // 10000 periods of 75 ms, not 10000 of 75 ms plus the mean lateness.
    EXPECT_LT(now, 10000 * period + 20);
}

TEST(TickClock, AStallGivesOneTickThenAFullPeriod)
{
    TickClock clock;
    clock.start(0, period);
    ASSERT_TRUE(clock.fire(75));
    // A background tab's timer held back for ten seconds.
    ASSERT_TRUE(clock.fire(10'030));
    EXPECT_FALSE(clock.fire(10'030)) << "a catch-up tick";
    EXPECT_EQ(clock.due(), 10'105) << "the next tick a whole period on, not sooner";
    EXPECT_FALSE(clock.fire(10'104));
    EXPECT_TRUE(clock.fire(10'105));
}

TEST(TickClock, ATimerLateByLessThanAPeriodKeepsTheGrid)
{
    TickClock clock;
    clock.start(0, period);
    ASSERT_TRUE(clock.fire(140)); // 65 ms late
    EXPECT_EQ(clock.due(), 150);
    EXPECT_EQ(clock.delay(140), 10);
}

TEST(TickClock, StartingAgainCountsFromTheNewStart)
{
    TickClock clock;
    clock.start(0, period);
    ASSERT_TRUE(clock.fire(75));
    clock.start(100, period); // paused, then resumed at 100
    EXPECT_FALSE(clock.fire(150));
    EXPECT_TRUE(clock.fire(175));
}

} // namespace
} // namespace worm
