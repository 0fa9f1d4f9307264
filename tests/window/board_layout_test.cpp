// BoardLayout: whole square cells that tile the board without seams, centred in any window,
// with the buttons following the board.
#include <gtest/gtest.h>

#include "tests/support/session.h"
#include "window/board_layout.h"

namespace worm {
namespace {

struct Fit {
    int width, height, pitch, originX, originY;
};

class BoardLayoutTest : public ::testing::TestWithParam<Fit> {
protected:
    void SetUp() override { t.session.load(); }
    testing::ScriptedSession t;
};

TEST_P(BoardLayoutTest, LargestWholeCellThatFitsCentred)
{
    const Fit f = GetParam();
    const BoardLayout layout(t.form(), f.width, f.height);
    EXPECT_EQ(layout.cellPixels(), f.pitch);
    EXPECT_EQ(layout.originX(), f.originX);
    EXPECT_EQ(layout.originY(), f.originY);
}

TEST_P(BoardLayoutTest, CellsAreSquareAndTileWithoutSeams)
{
    const Fit f = GetParam();
    const BoardLayout layout(t.form(), f.width, f.height);
    for (int row = 0; row < 50; ++row) {
        for (int col = 0; col < 50; ++col) {
            const PixelRect r = layout.cellRect(t.form().cell(1 + col + 50 * row));
            ASSERT_EQ(r, (PixelRect{f.originX + col * f.pitch, f.originY + row * f.pitch, f.pitch, f.pitch}))
                << "cell " << col + 1 << "," << row + 1;
        }
    }
}

TEST_P(BoardLayoutTest, GameOverButtonStaysCentredOnTheBoard)
{
    const Fit f = GetParam();
    const BoardLayout layout(t.form(), f.width, f.height);
    const ButtonRecord& b = t.form().button(Button::gameover);
    const PixelRect r = layout.rect(b.left, b.top, b.width, b.height);
    const int boardCentre2 = 2 * f.originX + 50 * f.pitch; // doubled to stay whole
    EXPECT_LE(std::abs(2 * r.x + r.width - boardCentre2), 1);
    EXPECT_NEAR(layout.pixelsPerTwip() * b.width, r.width, 1);
}

// The window's first size at 96 dpi and scale factors 1, 1.25, 1.5 and 2, then resized windows.
INSTANTIATE_TEST_SUITE_P(Windows, BoardLayoutTest,
                         ::testing::Values(Fit{450, 450, 9, 0, 0}, Fit{562, 562, 11, 6, 6},
                                           Fit{675, 675, 13, 12, 12}, Fit{900, 900, 18, 0, 0},
                                           Fit{1000, 900, 18, 50, 0}, Fit{1000, 821, 16, 100, 10},
                                           Fit{49, 49, 1, 0, 0}));

} // namespace
} // namespace worm
