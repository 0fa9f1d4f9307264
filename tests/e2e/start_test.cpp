// The first board as the window shows it, and the first moves of the worm.
#include <X11/keysym.h>

#include <algorithm>
#include <string>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

using StartTest = GameTest;

TEST_F(StartTest, OpensAt96DpiWithTheFirstBoardAndItsScoreLine)
{
    const Board& b = firstBoard();
    EXPECT_EQ(b.cellPixels, 9);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_TRUE(isFreshBoard(b));
    EXPECT_TRUE(isFirstTickScore(b, firstScore()));
    EXPECT_EQ(firstScore().best, firstScore().score);
    EXPECT_EQ(game().title(),
              "Score:  " + std::to_string(firstScore().score) + "/ " + std::to_string(firstScore().best));
}

TEST_F(StartTest, NothingMovesUntilAnArrowKeyEvenWhenOtherKeysArePressed)
{
    const std::string title = game().title().value_or("");
    game().key(XK_space);
    game().key(XK_a);
    game().key(XK_Return);
    ASSERT_TRUE(game().waitTitleSteady(std::chrono::milliseconds(600)));
    EXPECT_EQ(game().title(), title);
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    EXPECT_EQ(b->cells, firstBoard().cells) << b->picture();
}

// The worm runs along an empty line from the centre; P freezes it for a clean look.
TEST_F(StartTest, AnArrowStartsTheTicksAndTheHeadMovesOneCellPerTickWithBodyBehind)
{
    const Heading h = longestClearRun(firstBoard());
    const int run = clearRun(firstBoard(), h);
    ASSERT_GE(run, 5) << firstBoard().picture();
    game().key(keyOf(h));
    ASSERT_TRUE(game().waitScoreAtLeast(firstScore().score + 2));
    game().key(XK_p);
    ASSERT_TRUE(game().waitTitleSteady());
    const auto b = game().steadyBoard();
    ASSERT_TRUE(b);
    const auto heads = b->where(Cell::head);
    ASSERT_EQ(heads.size(), 1u) << b->picture();
    int d = 0;
    while (d <= run && step(centre, h, d) != heads[0]) {
        ++d;
    }
    ASSERT_TRUE(d >= 2 && d <= run) << "head off the line ahead\n" << b->picture();
    EXPECT_EQ(game().score()->score, firstScore().score + d); // one point a tick, no meal on the way
    // The tail stays put for the first ticks of a board, then follows ten cells behind.
    for (int k = 0; k < d; ++k) {
        const Cell want = k >= std::max(0, d - 9) ? Cell::body : Cell::empty;
        EXPECT_EQ(b->at(step(centre, h, k)), want) << "cell " << k << " behind the start\n" << b->picture();
    }
    const PixelBox pause = game().pauseButton();
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            const Pos p{x, y};
            if (!onLine(p, h, d) && !pause.contains(b->centreX(p), b->centreY(p))) {
                EXPECT_EQ(b->at(p), firstBoard().at(p)) << x << "," << y << " changed\n" << b->picture();
            }
        }
    }
}

// Keys coming faster than the ticks, as from a held key, must not hold the ticks back.
TEST_F(StartTest, KeysPressedFasterThanTheTicksDoNotHoldThemBack)
{
    const Heading h = longestClearRun(firstBoard());
    ASSERT_GE(clearRun(firstBoard(), h), 8) << firstBoard().picture();
    game().key(keyOf(h));
    ASSERT_TRUE(game().waitScoreAtLeast(firstScore().score + 1));
    const long long from = game().score()->score;
    const bool ticked = waitUntil(
        [&] {
            game().key(XK_a); // not a steering key: the heading stays
            const auto s = game().score();
            return s && s->score >= from + 5;
        },
        defaultTimeout, std::chrono::milliseconds(20));
    EXPECT_TRUE(ticked) << "title stuck at " << game().title().value_or("<none>");
}

} // namespace
} // namespace worm::e2e
