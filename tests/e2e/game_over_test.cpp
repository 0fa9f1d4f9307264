// Running into the wall, the Game Over button, and what a key does after a collision.
#include <X11/keysym.h>

#include <algorithm>
#include <optional>
#include <string>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

// Every case starts from a game just over; a case whose crash failed does not run.
class GameOverTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        if (!HasFatalFailure()) {
            crash();
        }
    }

    // Heads for the wall (crashHeading) and waits until the game is over.
    void crash()
    {
        const Board& b = firstBoard();
        heading_ = crashHeading(b);
        distance_ = clearRun(b, heading_) + 1;
        target_ = step(centre, heading_, distance_);
        ASSERT_NE(b.at(target_), Cell::food) << b.picture();
        game().key(keyOf(heading_));
        ASSERT_TRUE(waitBoard([&](const Board& now) { return gameoverShown(now); }))
            << game().board()->picture();
        ASSERT_TRUE(game().waitTitleSteady());
        const auto s = game().score();
        ASSERT_TRUE(s);
        over_ = *s;
    }

    // Clicks Game Over and waits for the new board's first tick to be drawn.
    std::optional<Board> startAgain()
    {
        const std::string over = game().title().value_or("");
        game().clickCentreOf(game().gameoverButton());
        if (!game().waitTitleChange(over)) {
            return std::nullopt;
        }
        return waitBoard([](const Board& now) { return isFreshBoard(now); });
    }

    Heading heading_ = Heading::up;
    int distance_ = 0;
    Pos target_;
    Score over_;
};

TEST_F(GameOverTest, SteeringIntoTheWallEndsTheGameWithGameOverAtTheCentre)
{
    EXPECT_EQ(over_.score, firstScore().score + distance_); // the colliding tick still scores
    EXPECT_EQ(over_.best, over_.score);
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    EXPECT_EQ(b->at(target_), Cell::red) << b->picture();
    EXPECT_EQ(b->at(step(centre, heading_, distance_ - 1)), Cell::body) << b->picture();
    EXPECT_EQ(b->count(Cell::head), 0) << "the head is not drawn on the cell it ran into\n" << b->picture();
    EXPECT_EQ(b->coveredOutside(game().gameoverButton()), 0) << b->picture();
}

TEST_F(GameOverTest, ClickingGameOverStartsANewGameFromScoreOneKeepingTheBest)
{
    const auto b = startAgain();
    ASSERT_TRUE(b) << game().board()->picture();
    ASSERT_TRUE(game().waitTitleSteady());
    const auto s = game().score();
    ASSERT_TRUE(s);
    EXPECT_TRUE(isFirstTickScore(*b, *s));
    EXPECT_EQ(s->best, std::max(over_.best, s->score));
}

// Any key but P resumes after a collision. Past the wall the head is off the board or on the
// wall of the next row, so each resume ends in another collision; the program lives on.
TEST_F(GameOverTest, AKeyAfterTheCollisionResumesTheTicksAndGameOverStays)
{
    long long score = over_.score;
    for (int i = 0; i < 3; ++i) {
        const std::string before = game().title().value_or("");
        game().key(XK_space);
        ASSERT_TRUE(game().waitTitleChange(before)) << "no tick after resume " << i;
        ASSERT_TRUE(game().waitTitleSteady());
        const auto s = game().score();
        ASSERT_TRUE(s);
        EXPECT_GT(s->score, score);
        score = s->score;
        ASSERT_TRUE(game().process().running());
    }
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    EXPECT_TRUE(gameoverShown(*b)) << b->picture();
    EXPECT_EQ(b->coveredOutside(game().gameoverButton()), 0) << b->picture();
}

// Every control once, then the close button: the program ends with status 0. Under the
// sanitizer build a leak or an error report would end it with another status.
TEST_F(GameOverTest, AGamePlayedThroughEveryControlClosesWithStatusZero)
{
    ASSERT_TRUE(startAgain());
    const auto fresh = game().steadyBoard();
    ASSERT_TRUE(fresh);
    game().key(keyOf(longestClearRun(*fresh)));
    ASSERT_TRUE(ticks());
    game().key(XK_p);
    ASSERT_TRUE(pausedAlone());
    const std::string paused = game().title().value_or("");
    game().clickCentreOf(game().pauseButton());
    ASSERT_TRUE(game().waitTitleChange(paused)) << "the Pause button did not resume";
    game().requestClose();
    EXPECT_TRUE(endsWithStatusZero(game().process(), std::chrono::seconds(8))) << "after WM_DELETE_WINDOW";
}

} // namespace
} // namespace worm::e2e
