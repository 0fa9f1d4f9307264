// obstacles, makefood, randomblock: the free-cell search and what each one paints.
#include <gtest/gtest.h>

#include "rules/init.h"
#include "rules/placement.h"
#include "rules/tick.h"
#include "tests/support/session.h"

namespace worm::testing {
namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override { init(game()); }
    Game& game() { return t.session.game(); }
    ScriptedSession t;
};

TEST_F(Placement, obstaclesAreFiftyOlivesOffTheWallAndNeverOnTheHeadStart)
{
    t.random->queueCell(25, 25); // the head's start: refused although hidden
    t.random->queueCell(1, 7);   // a wall cell: refused
    t.random->queueCell(2, 2);   // next to the wall: taken
    t.random->queueCell(2, 2);   // taken already: refused
    t.random->queueCell(24, 25); // next to the head: taken
    obstacles(game());
    EXPECT_EQ(visibleCells(t.form()), 246);
    EXPECT_EQ(cellsOfColour(t.form(), colours::obstacle), 50);
    EXPECT_FALSE(t.form().visible(1225));
    EXPECT_EQ(t.form().fillColour(cellNumber(2, 2, 50)), colours::obstacle);
    EXPECT_EQ(t.form().fillColour(cellNumber(24, 25, 50)), colours::obstacle);
    EXPECT_EQ(t.form().fillColour(cellNumber(1, 7, 50)), colours::wall);
}

TEST_F(Placement, theColumnIsDrawnBeforeTheRow)
{
    t.random->queue(0.1); // x = 6
    t.random->queue(0.9); // y = 46
    makefood(game());
    EXPECT_EQ(t.state().foodcell, 6 + 50 * 45);
}

TEST_F(Placement, foodGoesOnlyOnAHiddenCellAndKeepsItsShape)
{
    t.form().setShape(cellNumber(30, 30, 50), Shape::rectangle);
    stageObstacle(t.session, cellNumber(20, 20, 50));
    t.random->queueCell(20, 20); // occupied
    t.random->queueCell(50, 3);  // wall
    t.random->queueCell(30, 30); // free
    makefood(game());
    EXPECT_TRUE(t.state().foodshown);
    EXPECT_EQ(t.state().foodcell, cellNumber(30, 30, 50));
    const CellRecord& c = t.form().cell(cellNumber(30, 30, 50));
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.colour, colours::food);
    EXPECT_EQ(c.shape, Shape::rectangle);
    EXPECT_EQ(t.form().fillColour(cellNumber(20, 20, 50)), colours::obstacle);
}

TEST_F(Placement, foodMayLandOnAHiddenCellWhateverItLastShowed)
{
    const int old = cellNumber(12, 12, 50);
    t.form().setShape(old, Shape::circle);
    t.form().setFillColour(old, colours::body); // a body cell the tail erased long ago
    t.random->queueCell(12, 12);
    makefood(game());
    EXPECT_EQ(t.state().foodcell, old);
    EXPECT_EQ(t.form().cell(old).shape, Shape::circle);
    EXPECT_EQ(t.form().fillColour(old), colours::food);
}

TEST_F(Placement, randomblockAddsOneBlueObstacleAndLeavesTheFoodAlone)
{
    t.state().foodshown = true;
    t.state().foodcell = 777;
    const int before = visibleCells(t.form());
    t.random->queueCell(40, 40);
    randomblock(game());
    EXPECT_EQ(visibleCells(t.form()), before + 1);
    EXPECT_EQ(t.form().fillColour(cellNumber(40, 40, 50)), colours::mealObstacle);
    EXPECT_TRUE(t.state().foodshown);
    EXPECT_EQ(t.state().foodcell, 777);
}

// With no free cell the search would never end; it gives up and places nothing instead.
TEST_F(Placement, aFullBoardPlacesNothingAndTheTickGoesOn)
{
    for (int k = 1; k <= 2500; ++k) {
        t.form().setVisible(k, true);
    }
    const int blues = cellsOfColour(t.form(), colours::mealObstacle);
    randomblock(game());
    EXPECT_EQ(cellsOfColour(t.form(), colours::mealObstacle), blues);
    makefood(game());
    EXPECT_FALSE(t.state().foodshown); // nothing lies there to expire
    EXPECT_EQ(cellsOfColour(t.form(), colours::food), 0);
    obstacles(game());
    EXPECT_EQ(cellsOfColour(t.form(), colours::obstacle), 0);

    // The search draws in pairs; the odd one out is the expiry draw, made with no food shown.
    const auto before = t.random->draws;
    Timer1_Timer(game());
    EXPECT_GT(t.random->draws - before, 1);
    EXPECT_EQ((t.random->draws - before) % 2, 1);
    EXPECT_EQ(t.state().score, 1);
}

TEST_F(Placement, theLastFreeCellIsStillFound)
{
    for (int k = 1; k <= 2500; ++k) {
        t.form().setVisible(k, k != 1999);
    }
    makefood(game());
    EXPECT_EQ(t.state().foodcell, 1999);
    EXPECT_TRUE(t.form().visible(1999));
}

} // namespace
} // namespace worm::testing
