// The real window on Xvfb at scale factors 1, 1.5 and 2, and resized: the board's cells stay whole,
// square, flat device-pixel squares in the game's exact colours, centred in the window. The same
// grab, blurred, rescaled, shifted or with one pixel changed, must fail the same check.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/x/running_game.h"

namespace worm::xharness {
namespace {

struct ScaleCase {
    std::string name;
    std::string factor; // QT_SCALE_FACTOR
    int pitch = 0;      // device pixels per cell
    Size resizeTo{};    // device pixels; none when zero
};

void PrintTo(const ScaleCase& c, std::ostream* out) { *out << c.name; }

Image blurred(const Image& in)
{
    Image out(in.width, in.height);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            std::uint32_t sum[3] = {0, 0, 0}, n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (x + dx >= 0 && x + dx < in.width && y + dy >= 0 && y + dy < in.height) {
                        const std::uint32_t c = in.at(x + dx, y + dy);
                        sum[0] += c >> 16 & 0xFF, sum[1] += c >> 8 & 0xFF, sum[2] += c & 0xFF, ++n;
                    }
                }
            }
            out.set(x, y, (sum[0] / n) << 16 | (sum[1] / n) << 8 | sum[2] / n);
        }
    }
    return out;
}

// One pixel off by one step of blue, in a corner of the first empty cell, so its centre still
// reads right.
Image onePixelChanged(const Image& in, const Board& board)
{
    Image out = in;
    const PixelBox cell = board.box(board.where(Cell::empty).front());
    out.set(cell.x, cell.y, in.at(cell.x, cell.y) ^ 1u);
    return out;
}

// The board one pixel further off centre, sideways; the edge column repeats.
Image shiftedOnePixel(const Image& in, const Board& board)
{
    const int right = in.width - board.left - board.cellPixels * boardCells;
    const int dx = board.left >= right ? 1 : -1;
    Image out(in.width, in.height);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            out.set(x, y, in.at(std::clamp(x - dx, 0, in.width - 1), y));
        }
    }
    return out;
}

class WindowScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(WindowScaleTest, CellsAreWholeSquareFlatAndCentred)
{
    const ScaleCase& c = GetParam();
    XServer server;
    XClient x(server);
    RunningGame game(server, x, gameExecutable(WORM_EXECUTABLE), {"QT_SCALE_FACTOR=" + c.factor});
    if (c.resizeTo.width > 0) {
        ASSERT_TRUE(game.resize(c.resizeTo.width, c.resizeTo.height));
    }
    // The first frames, and those after a resize, may still be on their way.
    std::optional<Image> grab;
    std::string problem;
    waitUntil(
        [&] {
            grab = game.grab();
            problem = grab ? crispBoardProblem(*grab, c.pitch) : "no grab";
            return problem.empty();
        },
        5s, 250ms);
    ASSERT_EQ(problem, "") << "scale " << c.factor;
    if (c.resizeTo.width > 0) {
        EXPECT_EQ((Size{grab->width, grab->height}), c.resizeTo);
    }

    const Board board = *readBoard(*grab);
    EXPECT_NE(crispBoardProblem(blurred(*grab), c.pitch), "") << "blurred";
    // Grown by one device pixel a cell, as a smooth scaling of the whole window would.
    const Image bigger =
        rescaled(*grab, grab->width * (c.pitch + 1) / c.pitch, grab->height * (c.pitch + 1) / c.pitch);
    EXPECT_NE(crispBoardProblem(bigger, c.pitch + 1), "") << "rescaled";
    EXPECT_EQ(crispBoardProblem(onePixelChanged(*grab, board), c.pitch), "1 cells not one flat colour");
    EXPECT_NE(crispBoardProblem(shiftedOnePixel(*grab, board), c.pitch), "") << "shifted";
}

INSTANTIATE_TEST_SUITE_P(Window, WindowScaleTest,
                         ::testing::Values(ScaleCase{"scale_0_5", "0.5", 4}, ScaleCase{"scale_1", "1", 9},
                                           ScaleCase{"scale_1_5", "1.5", 13}, ScaleCase{"scale_2", "2", 18},
                                           ScaleCase{"resized_1", "1", 18, {1000, 900}},
                                           ScaleCase{"resized_1_5", "1.5", 16, {1000, 820}}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace worm::xharness
