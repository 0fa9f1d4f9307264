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
    clock.start(1000, period);
    EXPECT_EQ(clock.delay(1000), period);
    EXPECT_FALSE(clock.fire(1074.9));
    EXPECT_EQ(clock.delay(1074.9), 1); // the rest, rounded up so the timer is not early again
    EXPECT_TRUE(clock.fire(1075));
    EXPECT_FALSE(clock.fire(1075)) << "one tick per period";
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
