// The pixel reader: the red wall's bounding box is the board; it must split into 50 square cells.
#include "tests/support/x/board_reader.h"

#include <algorithm>
#include <cstdlib>

#include "window/qt/board_painter.h"

namespace worm::xharness {
namespace {

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r << 16 | g << 8 | b;
}

constexpr std::uint32_t red = rgb(255, 0, 0);

// What a player sees, written out here rather than taken from the game's sources, so the
// harness checks the colours instead of repeating them. Only the background is the window's own
// choice.
std::uint32_t background()
{
    return rgb(static_cast<std::uint32_t>(boardBackground.red()),
               static_cast<std::uint32_t>(boardBackground.green()),
               static_cast<std::uint32_t>(boardBackground.blue()));
}

bool flat(const Image& image, const PixelBox& box, std::uint32_t colour)
{
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) {
            if (image.at(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

std::string cellName(Pos p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The cell-by-cell part of crispBoardProblem.
std::string cellProblem(const Image& image, const Board& board)
{
    int wall = 0, blurred = 0;
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            const Pos p{x, y};
            const std::uint32_t colour = image.at(board.centreX(p), board.centreY(p));
            if (board.at(p) == Cell::other) {
                return "cell " + cellName(p) + " has no game colour at its centre";
            }
            wall += onWall(p) && colour == red && flat(image, board.box(p), red) ? 1 : 0;
            // Only the head is a circle; every other cell is one flat colour to its edges.
            blurred += board.at(p) != Cell::head && !flat(image, board.box(p), colour) ? 1 : 0;
        }
    }
    if (wall != 4 * boardCells - 4) {
        return std::to_string(wall) + " wall cells of exact red, expected 196";
    }
    if (blurred != 0) {
        return std::to_string(blurred) + " cells not one flat colour";
    }
    return "";
}

} // namespace

Cell classify(std::uint32_t c)
{
    switch (c) {
    case red:
        return Cell::red;
    case rgb(50, 50, 0):
        return Cell::obstacle;
    case rgb(0, 0, 255):
        return Cell::mealObstacle;
    case rgb(255, 255, 255):
        return Cell::food;
    case rgb(0, 150, 100):
        return Cell::head;
    case rgb(0, 255, 0):
        return Cell::body;
    default:
        return c == background() ? Cell::empty : Cell::other;
    }
}

bool onWall(Pos p) { return p.x == 1 || p.y == 1 || p.x == boardCells || p.y == boardCells; }

int Board::count(Cell kind) const { return static_cast<int>(std::count(cells.begin(), cells.end(), kind)); }

std::vector<Pos> Board::where(Cell kind) const
{
    std::vector<Pos> found;
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            if (at({x, y}) == kind) {
                found.push_back({x, y});
            }
        }
    }
    return found;
}

int Board::coveredInside(const PixelBox& box) const
{
    int n = 0;
    for (const Pos p : where(Cell::other)) {
        n += box.contains(centreX(p), centreY(p)) ? 1 : 0;
    }
    return n;
}

int Board::coveredOutside(const PixelBox& box) const { return count(Cell::other) - coveredInside(box); }

std::string Board::picture() const
{
    std::string s;
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            s += ".#oB*@=?"[static_cast<int>(at({x, y}))];
        }
        s += '\n';
    }
    return s;
}

std::optional<PixelBox> redExtent(const Image& image)
{
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) == red) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return std::nullopt;
    }
    return PixelBox{left, top, right - left + 1, bottom - top + 1};
}

std::optional<Board> readBoard(const Image& image)
{
    const auto extent = redExtent(image);
    if (!extent || extent->width != extent->height || extent->width % boardCells != 0) {
        return std::nullopt;
    }
    Board board;
    board.left = extent->x;
    board.top = extent->y;
    board.cellPixels = extent->width / boardCells;
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            board.cells[static_cast<std::size_t>(x - 1 + boardCells * (y - 1))] =
                classify(image.at(board.centreX({x, y}), board.centreY({x, y})));
        }
    }
    return board;
}

std::string crispBoardProblem(const Image& image, int pitch)
{
    const auto extent = redExtent(image);
    if (!extent) {
        return "no exact red wall in the grab";
    }
    const auto board = readBoard(image);
    if (!board) {
        return "board is " + std::to_string(extent->width) + "x" + std::to_string(extent->height) +
               " device pixels: not 50 square cells";
    }
    if (board->cellPixels != pitch) {
        return "cell pitch " + std::to_string(board->cellPixels) + ", expected " + std::to_string(pitch);
    }
    const int marginLeft = extent->x, marginRight = image.width - extent->x - extent->width;
    const int marginTop = extent->y, marginBottom = image.height - extent->y - extent->height;
    if (std::abs(marginLeft - marginRight) > 1 || std::abs(marginTop - marginBottom) > 1) {
        return "board not centred: margins " + std::to_string(marginLeft) + "/" +
               std::to_string(marginRight) + " " + std::to_string(marginTop) + "/" +
               std::to_string(marginBottom);
    }
    return cellProblem(image, *board);
}

} // namespace worm::xharness
