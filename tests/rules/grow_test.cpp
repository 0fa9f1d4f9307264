// grow: the 250-tick cycle with its 11 growing ticks, and the tail step's erasing.
#include <gtest/gtest.h>

#include "rules/grow.h"
#include "rules/init.h"
#include "tests/support/session.h"

namespace worm::testing {
namespace {

class Grow : public ::testing::Test {
protected:
    void SetUp() override { init(t.session.game()); }
    void growOnce() { grow(t.session.game()); }
    ScriptedSession t;
};

TEST_F(Grow, keepsTheTailOnElevenTicksOfEvery250)
{
    std::vector<int> kept;
    for (int n = 1; n <= 750; ++n) {
        const int before = t.state().tailpos;
        growOnce();
        if (t.state().tailpos == before) {
            kept.push_back(n);
        }
        ASSERT_GE(t.state().growcount, 0);
        ASSERT_LE(t.state().growcount, 249);
    }
    // A new board keeps the tail for its first 10 ticks; the count's wrap at 250 keeps one more.
    std::vector<int> expected;
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (int n = 1; n <= 10; ++n) {
            expected.push_back(cycle * 250 + n);
        }
        expected.push_back(cycle * 250 + 250);
    }
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(t.state().tailpos, 750 - 33);
}

TEST_F(Grow, theTailStepHidesWhateverTheCellShows)
{
    const int cell = cellNumber(7, 8, 50);
    stageFood(t.session, cell); // food that happened to land on an erased trail cell
    t.state().trail.set(1, static_cast<std::int16_t>(cell));
    t.state().growcount = 11;
    growOnce();
    EXPECT_EQ(t.state().tailpos, 1);
    EXPECT_FALSE(t.form().visible(cell));
    EXPECT_TRUE(t.state().foodshown); // believed shown until it expires
}

TEST_F(Grow, theTailWrapsFrom5000ToOne)
{
    t.state().tailpos = 5000;
    t.state().trail.set(1, 333);
    t.form().setVisible(333, true);
    t.state().growcount = 100;
    growOnce();
    EXPECT_EQ(t.state().tailpos, 1);
    EXPECT_FALSE(t.form().visible(333));
}

TEST_F(Grow, aTrailEntryOffTheBoardIsPassedBy)
{
    t.state().trail.set(1, noCell);
    t.state().growcount = 100;
    t.form().damage().clear();
    growOnce();
    EXPECT_EQ(t.state().tailpos, 1);
    EXPECT_TRUE(t.form().damage().empty());
}

} // namespace
} // namespace worm::testing
