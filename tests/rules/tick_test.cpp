// Timer1_Timer: the first tick of a board, moving, drawing, scoring and recording the head.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "rules/init.h"
#include "rules/tick.h"
#include "tests/support/loaded_board.h"

namespace worm::testing {
namespace {

class Tick : public LoadedBoard {
protected:
    void tickOnce() { tickKeepingFood(); }
};

TEST(FirstTick, drawsTheHeadAtTheCentreAndRecolorsOnlyTheTemplate)
{
    ScriptedSession t;
    t.form().setLoadHandler([&] {
        Game& game = t.session.game();
        init(game);
        t.form().damage().clear();
        t.random->queueCell(10, 10); // the food
        t.random->queue(0.5);        // no expiry
        Timer1_Timer(game);
    });
    t.session.load();
    const FormModel& f = t.form();
    EXPECT_EQ(t.state().headcell, 1225);
    EXPECT_TRUE(f.cell(1225).visible);
    EXPECT_EQ(f.cell(1225).shape, Shape::circle);
    EXPECT_EQ(f.cell(1225).colour, colours::head);
    EXPECT_EQ(f.cell(0).colour, colours::body); // trail position 0 holds 0, the template
    EXPECT_EQ(f.cell(0).shape, Shape::rectangle);
    EXPECT_FALSE(f.cell(0).visible);
    EXPECT_EQ(t.state().foodcell, cellNumber(10, 10, 50));
    EXPECT_EQ(f.cell(t.state().foodcell).colour, colours::food);
    // Nothing else on the board changed: the template, the head and the food.
    std::vector<int> changed(f.damage().cells().begin(), f.damage().cells().end());
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<int>{0, 460, 1225}));
    EXPECT_EQ(t.state().score, 1);
    EXPECT_EQ(t.state().points, 1);
    EXPECT_EQ(t.state().headpos, 1);
    EXPECT_EQ(t.state().trail.at(1), 1225);
    EXPECT_EQ(f.title(), "Score:  1/ 1");
}

TEST_F(Tick, movesOneCellAndTurnsThePreviousHeadIntoBody)
{
    t.state().direction = "right";
    tickOnce();
    const FormModel& f = t.form();
    EXPECT_EQ(t.state().headx, 26);
    EXPECT_EQ(t.state().headcell, 1226);
    EXPECT_EQ(f.cell(1226).shape, Shape::circle);
    EXPECT_EQ(f.cell(1226).colour, colours::head);
    EXPECT_EQ(f.cell(1225).shape, Shape::rectangle);
    EXPECT_EQ(f.cell(1225).colour, colours::body);
    EXPECT_TRUE(f.cell(1225).visible);
    EXPECT_EQ(t.state().headpos, 2);
    EXPECT_EQ(t.state().trail.at(2), 1226);
    EXPECT_EQ(f.title(), "Score:  2/ 2");

    t.state().direction = "down";
    tickOnce();
    EXPECT_EQ(t.state().headcell, 1276);
    t.state().direction = "up"; // no handler stops it here: the head runs back into its body
    tickOnce();
    EXPECT_EQ(t.state().headcell, 1226);
    EXPECT_EQ(t.form().interval(), 0);
}

TEST_F(Tick, scoreRisesEvenOnTheTickThatEndsTheGameAndBestFollows)
{
    t.state().best = 3;
    t.state().direction = ""; // ticking in place: the head's own cell is a collision
    tickOnce();
    EXPECT_EQ(t.state().score, 2);
    EXPECT_EQ(t.state().best, 3);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
    tickOnce();
    tickOnce();
    EXPECT_EQ(t.state().score, 4);
    EXPECT_EQ(t.state().best, 4);
    EXPECT_EQ(t.form().title(), "Score:  4/ 4");
}

TEST_F(Tick, collisionLeavesTheCellRedAndTheBodyStillFollows)
{
    stageObstacle(t.session, 1175); // straight above the head
    t.state().direction = "up";
    tickOnce();
    EXPECT_EQ(t.form().cell(1175).colour, colours::collision);
    EXPECT_EQ(t.form().cell(1175).shape, Shape::rectangle); // not redrawn as the head
    EXPECT_EQ(t.form().cell(1225).colour, colours::body);
    EXPECT_EQ(t.form().interval(), 0);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
}

TEST_F(Tick, foodPlacedOnTheEnteredCellIsEatenTheSameTick)
{
    t.state().foodshown = false; // the next tick places food
    t.form().setVisible(t.state().foodcell, false);
    t.state().direction = "left";
    t.random->queueCell(24, 25); // where the head is going
    t.random->queue(0.5);
    t.session.tick();
    EXPECT_EQ(t.state().score, 1 + 101);
    EXPECT_EQ(t.form().cell(1224).colour, colours::head);
    EXPECT_EQ(cellsOfColour(t.form(), colours::mealObstacle), 1);
    EXPECT_FALSE(t.form().button(Button::gameover).visible);
}

TEST_F(Tick, foodPlacedThisTickCanExpireAtOnce)
{
    t.state().foodshown = false;
    t.form().setVisible(t.state().foodcell, false);
    t.random->queueCell(10, 10);
    t.random->queue(0.0009); // below 0.001: too late
    t.state().direction = "up";
    t.session.tick();
    EXPECT_FALSE(t.state().foodshown);
    EXPECT_FALSE(t.form().visible(cellNumber(10, 10, 50)));
}

// Moving into the cell the tail leaves on the same tick collides, but the tail step hides it
// and the head is drawn there, so no red is seen.
TEST_F(Tick, collisionWithTheCellTheTailLeavesShowsTheHead)
{
    GameState& s = t.state();
    // A three-cell worm in an L: tail 1275, body 1276, head 1226, about to step onto 1275's
    // neighbour loop: head goes left to 1225 where the tail sits.
    t.form().setVisible(1225, false);
    const int cells[] = {1225, 1275, 1276, 1226};
    for (int i = 0; i < 4; ++i) {
        s.trail.set(i + 1, static_cast<std::int16_t>(cells[i]));
        t.form().setVisible(cells[i], true);
        t.form().setFillColour(cells[i], colours::body);
    }
    s.headpos = 4;
    s.tailpos = 0;
    s.growcount = 20; // the tail moves this tick
    s.headx = 26;
    s.heady = 25;
    s.direction = "left";
    tickOnce();
    EXPECT_EQ(t.form().interval(), 0);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
    EXPECT_EQ(s.tailpos, 1);
    EXPECT_TRUE(t.form().cell(1225).visible);
    EXPECT_EQ(t.form().cell(1225).colour, colours::head);
    EXPECT_EQ(cellsOfColour(t.form(), colours::collision) - 196, 0);
}

TEST_F(Tick, aHeadOffTheBoardEndsTheGameAndTouchesNoCell)
{
    GameState& s = t.state();
    s.direction = "up";
    s.heady = 1; // on the top wall already; the next move leaves the board
    s.headx = 30;
    t.form().damage().clear();
    tickOnce();
    EXPECT_EQ(s.headcell, noCell);
    EXPECT_EQ(s.trail.at(s.headpos), noCell);
    EXPECT_EQ(t.form().interval(), 0);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
    // Only the previous head (a board cell) turned to body; nothing off the board was drawn.
    EXPECT_EQ(t.form().damage().cells(), std::vector<std::int16_t>{1225});
    t.form().damage().clear();
    tickOnce(); // the previous head is off the board too: nothing to recolour
    EXPECT_TRUE(t.form().damage().cells().empty());
    EXPECT_EQ(s.score, 3);
}

TEST_F(Tick, pastASideWallTheHeadLandsOnTheNeighbouringRow)
{
    GameState& s = t.state();
    s.direction = "left";
    s.headx = 1;
    s.heady = 10;
    tickOnce();
    EXPECT_EQ(s.headcell, cellNumber(50, 9, 50)); // column 0 of row 10 is column 50 of row 9
}

} // namespace
} // namespace worm::testing
