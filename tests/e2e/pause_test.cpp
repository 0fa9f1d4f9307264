// The P key and the Pause button, as a player uses them.
#include <X11/keysym.h>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

class PauseTest : public GameTest {
protected:
    // Starts the worm along its longest empty line and pauses it after the first tick.
    void startThenPause(bool shift)
    {
        ASSERT_GE(clearRun(firstBoard(), longestClearRun(firstBoard())), 5) << firstBoard().picture();
        game().key(keyOf(longestClearRun(firstBoard())));
        ASSERT_TRUE(game().waitScoreAtLeast(firstScore().score + 1));
        game().key(XK_p, shift);
        ASSERT_TRUE(game().waitTitleSteady());
    }
};

TEST_F(PauseTest, PStopsTheTicksAndShowsThePauseButtonOnly)
{
    startThenPause(false);
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    EXPECT_TRUE(pauseShown(*b)) << b->picture();
    EXPECT_EQ(b->coveredOutside(game().pauseButton()), 0) << b->picture();
    const auto paused = game().score();
    ASSERT_TRUE(paused);
    EXPECT_TRUE(game().waitTitleSteady(std::chrono::milliseconds(400)));
    EXPECT_EQ(game().score()->score, paused->score);
}

TEST_F(PauseTest, ClickingPauseResumesTheTicksAndHidesIt)
{
    startThenPause(true); // shifted P pauses all the same
    ASSERT_TRUE(waitBoard([&](const Board& b) { return pauseShown(b); }));
    const std::string paused = game().title().value_or("");
    game().clickCentreOf(game().pauseButton());
    EXPECT_TRUE(game().waitTitleChange(paused, std::chrono::seconds(3)));
    EXPECT_TRUE(waitBoard([&](const Board& b) { return pauseOnlyCovered(b) == 0; }));
}

TEST_F(PauseTest, PBeforeAnyArrowThenPauseEndsTheGameOnTheFirstTick)
{
    game().key(XK_p);
    ASSERT_TRUE(waitBoard([&](const Board& b) { return pauseShown(b); }));
    ASSERT_TRUE(game().waitTitleSteady());
    EXPECT_EQ(game().score()->score, firstScore().score);
    game().clickCentreOf(game().pauseButton());
    // The head has not moved, so its own cell is what it runs into.
    const auto over = waitBoard([&](const Board& b) { return gameoverShown(b); });
    ASSERT_TRUE(over);
    ASSERT_TRUE(game().waitTitleSteady());
    EXPECT_EQ(game().score()->score, firstScore().score + 1);
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    EXPECT_EQ(pauseOnlyCovered(*b), 0) << b->picture();
    EXPECT_EQ(b->count(Cell::head), 0) << b->picture();
}

// A press on the button released off it is no click, and must not leave the keys with it.
TEST_F(PauseTest, APressReleasedOffThePauseButtonLeavesTheKeysWithTheBoard)
{
    game().key(XK_p);
    ASSERT_TRUE(waitBoard([&](const Board& b) { return pauseShown(b); }));
    const PixelBox pause = game().pauseButton();
    game().drag(pause.x + pause.width / 2, pause.y + pause.height / 2, pause.x + pause.width / 2, 400);
    ASSERT_TRUE(game().waitTitleSteady());
    EXPECT_EQ(game().score()->score, firstScore().score) << "the release off the button clicked it";
    ASSERT_GE(clearRun(firstBoard(), longestClearRun(firstBoard())), 3) << firstBoard().picture();
    game().key(keyOf(longestClearRun(firstBoard())));
    EXPECT_TRUE(game().waitScoreAtLeast(firstScore().score + 1, std::chrono::seconds(3)))
        << "the arrow key did not reach the game";
}

} // namespace
} // namespace worm::e2e
