// readBoard: the red wall's bounding box is the board; it must split into 50 square cells.
// Qt first: Xlib's macros (Status, Bool) break Qt headers included after it.
#include "window/qt/board_painter.h"

#include "tests/e2e/board_reader.h"

#include <algorithm>

namespace worm::e2e {
namespace {

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r << 16 | g << 8 | b;
}

// What a player sees, written out here rather than taken from the game's sources, so the suite
// checks the colours instead of repeating them. Only the background is the window's own choice.
std::uint32_t background()
{
    return rgb(static_cast<std::uint32_t>(boardBackground.red()),
               static_cast<std::uint32_t>(boardBackground.green()),
               static_cast<std::uint32_t>(boardBackground.blue()));
}

} // namespace

Cell classify(std::uint32_t c)
{
    switch (c) {
    case rgb(255, 0, 0):
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

std::optional<Board> readBoard(const Image& image)
{
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) == rgb(255, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const int width = right - left + 1, height = bottom - top + 1;
    if (right < 0 || width != height || width % boardCells != 0) {
        return std::nullopt;
    }
    Board board;
    board.left = left;
    board.top = top;
    board.cellPixels = width / boardCells;
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            board.cells[static_cast<std::size_t>(x - 1 + boardCells * (y - 1))] =
                classify(image.at(board.centreX({x, y}), board.centreY({x, y})));
        }
    }
    return board;
}

} // namespace worm::e2e
