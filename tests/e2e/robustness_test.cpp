// A storm of random input, and closing the window the way a window manager does.
#include <X11/keysym.h>

#include <random>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

using RobustnessTest = GameTest;

void randomInput(RunningGame& game, std::mt19937& random)
{
    static constexpr KeySym keys[] = {XK_Up,        XK_Down,   XK_Left,  XK_Right,  XK_Up,
                                      XK_Down,      XK_Left,   XK_Right, XK_p,      XK_P,
                                      XK_space,     XK_Return, XK_a,     XK_Escape, XK_Tab,
                                      XK_BackSpace, XK_F1,     XK_1,     XK_Home,   XK_Shift_L};
    std::uniform_int_distribution<int> what(0, 9), key(0, std::size(keys) - 1), coordinate(0, 449);
    const int kind = what(random);
    if (kind < 7) {
        game.key(keys[key(random)], what(random) == 0);
    } else if (kind == 7) {
        game.click(coordinate(random), coordinate(random));
    } else {
        game.clickCentreOf(kind == 8 ? game.pauseButton() : game.gameoverButton());
    }
}

TEST_F(RobustnessTest, AStormOfKeysAndClicksLeavesItRunningWithAWellFormedTitle)
{
    const auto seed = std::random_device{}();
    SCOPED_TRACE("storm seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pauseMs(0, 4);
    for (int i = 0; i < 400; ++i) {
        randomInput(game(), random);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs(random)));
        ASSERT_TRUE(game().process().running()) << "ended after event " << i;
    }
    // Still answering: P always stops the ticks and shows the Pause button.
    game().key(XK_p);
    EXPECT_TRUE(pausedAlone());
    const auto title = game().title();
    ASSERT_TRUE(title);
    const auto s = parseTitle(*title);
    ASSERT_TRUE(s) << *title;
    EXPECT_GE(s->best, s->score);
    EXPECT_TRUE(game().process().running());
}

TEST_F(RobustnessTest, ClosingTheWindowWhilePlayingEndsTheProgramWithStatusZero)
{
    game().key(keyOf(longestClearRun(firstBoard())));
    ASSERT_TRUE(game().waitScoreAtLeast(firstScore().score + 1));
    game().requestClose();
    EXPECT_TRUE(endsWithStatusZero(game().process(), std::chrono::seconds(8))) << "after WM_DELETE_WINDOW";
}

// Another client destroying the window leaves nothing for the player to see or close: the
// program must end by itself.
TEST_F(RobustnessTest, TheWindowDestroyedByAnotherClientEndsTheProgramWithStatusZero)
{
    game().key(keyOf(longestClearRun(firstBoard())));
    ASSERT_TRUE(game().waitScoreAtLeast(firstScore().score + 1));
    game().destroyWindow();
    EXPECT_TRUE(endsWithStatusZero(game().process(), std::chrono::seconds(2)))
        << "2 s after its window was destroyed";
}

} // namespace
} // namespace worm::e2e
