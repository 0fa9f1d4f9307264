// The deterministic budgets of a tick: no heap allocation, and at most four cells to repaint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tests/support/alloc_counter.h"
#include "tests/support/staging.h"

namespace worm::testing {
namespace {

TEST(TickBudget, anOrdinaryTickAllocatesNothing)
{
    StagedGame staged;
    GameSession& session = staged.session();
    std::uint64_t allocations = 0;
    for (int n = 0; n < 2000; ++n) {
        if (n % 100 == 0) {
            staged.restore(); // long before the worm could catch its tail
        }
        steerRound(session);
        const std::uint64_t before = allocationCount();
        session.tick();
        allocations += allocationCount() - before;
        ASSERT_FALSE(session.form().damage().everything()) << "tick " << n << " rebuilt the board";
        session.form().damage().clear();
    }
    EXPECT_EQ(allocations, 0u);
}

// Meals, new food, expiry and growth all occur over a long fixed-seed game; a level change
// repaints everything and is not an ordinary tick.
TEST(TickBudget, noTickButALevelChangeMarksMoreThanFourCells)
{
    StagedGame staged;
    GameSession& session = staged.session();
    std::size_t most = 0;
    int meals = 0;
    for (int n = 0; n < 4000; ++n) {
        steerRound(session);
        if (n % 40 == 0 && putFoodAhead(session)) {
            session.form().damage().clear(); // the staging's own marks are not the tick's
        }
        const std::int64_t score = session.state().score;
        session.tick();
        meals += session.state().score - score > 100 ? 1 : 0;
        Damage& damage = session.form().damage();
        if (!damage.everything()) {
            most = std::max(most, damage.cells().size());
        }
        damage.clear();
    }
    EXPECT_LE(most, 4u);
    EXPECT_GE(most, 3u); // a plain step marks the new head, the old head and the tail
    EXPECT_GT(meals, 50);
}

} // namespace
} // namespace worm::testing
