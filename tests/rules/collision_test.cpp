// hit, gotfood, toolate: collisions of every kind, meals, expiry and the level change.
#include <gtest/gtest.h>

#include "rules/collision.h"
#include "tests/support/loaded_board.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

class Collision : public LoadedBoard {
protected:
    // The head at the centre moves one cell up, onto cell 1175.
    void stepUp()
    {
        t.state().direction = "up";
        tickKeepingFood();
    }
    void expectGameOver(int cell, Colour seen)
    {
        EXPECT_EQ(t.form().interval(), 0);
        EXPECT_TRUE(t.form().button(Button::gameover).visible);
        EXPECT_EQ(t.form().fillColour(cell), seen);
    }
};

TEST_F(Collision, wallObstacleAndBodyAllEndTheGameWithARedCell)
{
    for (const Colour what : {colours::obstacle, colours::mealObstacle, colours::body}) {
        SCOPED_TRACE(what);
        t.session.gameoverClicked();
        stageObstacle(t.session, 1175, what);
        t.session.keyDown(keys::up);
        t.random->queue(0.5);
        t.session.tick();
        expectGameOver(1175, colours::collision);
    }
    t.session.gameoverClicked();
    t.state().heady = 2; // one row below the top wall
    t.state().headx = 9;
    stepUp();
    expectGameOver(9, colours::collision);
}

TEST_F(Collision, anyKeyButPResumesAfterAGameOverAndTheWormGoesOn)
{
    stageObstacle(t.session, 1175);
    stepUp();
    ASSERT_EQ(t.form().interval(), 0);
    t.session.keyDown(32); // space
    EXPECT_EQ(t.form().interval(), 75);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
    stepUp(); // on from the colliding cell into free space
    EXPECT_EQ(t.state().headcell, 1125);
    EXPECT_EQ(t.form().fillColour(1125), colours::head);
}

TEST_F(Collision, aMealScores101AddsABlueObstacleElsewhereAndNoCollision)
{
    t.form().setVisible(t.state().foodcell, false);
    stageFood(t.session, 1175);
    const auto score = t.state().score;
    const int blues = cellsOfColour(t.form(), colours::mealObstacle);
    t.random->queue(0.5);        // no expiry
    t.random->queueCell(25, 24); // randomblock tries the eaten cell first: it still shows
    t.random->queueCell(3, 3);
    t.state().direction = "up";
    t.session.tick();
    EXPECT_EQ(t.state().score, score + 101);
    EXPECT_FALSE(t.state().foodshown);
    EXPECT_EQ(cellsOfColour(t.form(), colours::mealObstacle), blues + 1);
    EXPECT_EQ(t.form().fillColour(cellNumber(3, 3, 50)), colours::mealObstacle);
    EXPECT_EQ(t.form().fillColour(1175), colours::head);
    EXPECT_FALSE(t.form().button(Button::gameover).visible);
}

TEST_F(Collision, aMealAddsFiveCellsOfLengthOnlyOnceTheTailHasMovedMoreThanFive)
{
    GameState& s = t.state();
    for (const int tail : {6, 5, 0}) {
        SCOPED_TRACE(tail);
        s.tailpos = tail;
        stageFood(t.session, 1175);
        gotfood(t.session.game());
        s.headcell = 1225;
        EXPECT_EQ(s.tailpos, tail > 5 ? tail - 5 : tail);
    }
}

TEST_F(Collision, toolateHidesItsCellWhateverItShowsNow)
{
    const int cell = t.state().foodcell;
    t.form().setFillColour(cell, colours::body); // the head passed over hidden food
    toolate(t.session.game());
    EXPECT_FALSE(t.state().foodshown);
    EXPECT_FALSE(t.form().visible(cell));
}

class LevelChange : public Collision {
protected:
    // The head at the centre eats food straight above it with the points given.
    void eatWithPoints(std::int32_t points)
    {
        t.state().points = points;
        t.form().setVisible(t.state().foodcell, false);
        stageFood(t.session, 1175);
        t.form().setLoadHandler([this] {
            pointsAtLoad.push_back(t.state().points);
            Form_Load(t.session.game());
        });
        scoreBefore = t.state().score;
        stepUp();
    }
    std::vector<std::int32_t> pointsAtLoad;
    std::int64_t scoreBefore = 0;
};

TEST_F(LevelChange, exactly5000PointsIsNoLevelChange)
{
    eatWithPoints(4900); // the meal makes 5000, the tick's own point comes after
    EXPECT_TRUE(pointsAtLoad.empty());
    EXPECT_EQ(t.state().points, 5001);
    EXPECT_EQ(t.state().headcell, 1175);
}

TEST_F(LevelChange, aMealPast5000RebuildsTheBoardInsideTheTick)
{
    t.state().best = 0;
    eatWithPoints(4901); // the meal makes 5001
    const GameState& s = t.state();
    ASSERT_EQ(pointsAtLoad, std::vector<std::int32_t>{1});
    EXPECT_EQ(s.points, 3);
    EXPECT_EQ(s.score, scoreBefore + 102);
    EXPECT_EQ(s.best, s.score);
    EXPECT_EQ(s.headpos, 2);
    EXPECT_EQ(s.trail.at(1), 1225);
    EXPECT_EQ(s.trail.at(2), 1225);
    EXPECT_EQ(s.direction, "");
    EXPECT_EQ(t.form().interval(), 0); // the new board waits for an arrow
    EXPECT_FALSE(t.form().button(Button::gameover).visible);
    const CellRecord& centre = t.form().cell(1225);
    EXPECT_TRUE(centre.visible);
    EXPECT_EQ(centre.shape, Shape::rectangle);
    EXPECT_EQ(centre.colour, colours::body);
}

TEST_F(LevelChange, nothingOfTheOldBoardRemains)
{
    stageObstacle(t.session, cellNumber(40, 40, 50), colours::mealObstacle);
    eatWithPoints(4950);
    const FormModel& f = t.form();
    EXPECT_EQ(cellsOfColour(f, colours::mealObstacle), 0);
    EXPECT_EQ(cellsOfColour(f, colours::obstacle), 50);
    EXPECT_EQ(cellsOfColour(f, colours::food), 1);
    EXPECT_EQ(cellsOfColour(f, colours::wall), 196);
    EXPECT_EQ(visibleCells(f), 196 + 50 + 1 + 1);
    EXPECT_FALSE(f.visible(1175));
}

TEST_F(LevelChange, aRestartClearsScoreAndPointsButALevelChangeKeepsThem)
{
    eatWithPoints(4950);
    const auto score = t.state().score;
    EXPECT_GT(score, 100);
    t.session.gameoverClicked();
    EXPECT_EQ(t.state().score, 1);
    EXPECT_EQ(t.state().points, 1);
    EXPECT_EQ(t.state().best, score);
}

} // namespace
} // namespace worm::testing
