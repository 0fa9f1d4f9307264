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
    EXPECT_FALSE(clock.fire(1074.3)) << "more than a millisecond early";
    EXPECT_EQ(clock.delay(1074.3), 4) << "a shorter timer is stretched to 4 ms anyway";
    EXPECT_TRUE(clock.fire(1074.4)) << "the browser's timer, its millisecond short";
    EXPECT_FALSE(clock.fire(1075.4)) << "one tick per period";
    EXPECT_EQ(clock.delay(1147), 4) << "after a tick that came 72 ms late";
}

// A browser's timers: the wait cut to whole milliseconds, then some lateness, read on the page's
// clock: Chromium's in steps of 0.1 ms, taken as exact; Firefox's and WebKit's in whole
// milliseconds, rounded either way, so one that went off on time can read a millisecond short. A
// timer that brought no tick would be armed again for the rest, under 4 ms, which browsers
// stretch to 4 ms once timers have nested five deep.
TEST(TickClock, EveryTimerBringsItsTickWithinTheBrowsersMillisecond)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> late(0, 2), work(0, 3), rounding(0, 1);
    for (const bool wholeMs : {false, true}) {
        const auto read = [&](double t) { return wholeMs ? std::floor(t + rounding(random)) : t; };
        TickClock clock;
        double now = 0.37; // the true time: the page reads read(now)
        clock.start(read(now), period);
        for (int tick = 1; tick <= 10000; ++tick) {
            now += work(random); // the tick's work, then the timer is armed
            const double due = clock.due();
            const double armedAt = read(now);
            const double wait = clock.delay(armedAt);
            ASSERT_LE(armedAt + wait, due) << "tick " << tick << ": a wait rounded past the due time";
            const double wentOff = now + std::floor(wait) + late(random);
            ASSERT_TRUE(clock.fire(read(wentOff)))
                << (wholeMs ? "whole ms" : "exact") << ", tick " << tick << ": the timer brought no tick";
            ASSERT_GT(wentOff, due - 1) << "tick " << tick;
            now = wentOff;
        }
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
    EXPECT_FALSE(clock.fire(10'103.9));
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
