// readBoard: finds the board in a window grab by its red wall and names every cell by the exact
// colour at its centre.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/x_client.h"

namespace worm::e2e {

inline constexpr int boardCells = 50;

enum class Cell { empty, red, obstacle, mealObstacle, food, head, body, other };

struct Pos {
    int x = 0, y = 0; // column and row, 1 to 50
    bool operator==(const Pos&) const = default;
};

inline constexpr Pos centre{25, 25};

// A rectangle in window pixels.
struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

struct Board {
    int left = 0, top = 0, cellPixels = 0;
    std::array<Cell, boardCells * boardCells> cells{};

    Cell at(Pos p) const { return cells[static_cast<std::size_t>(p.x - 1 + boardCells * (p.y - 1))]; }
    int count(Cell kind) const;
    std::vector<Pos> where(Cell kind) const;
    int centreX(Pos p) const { return left + (p.x - 1) * cellPixels + cellPixels / 2; }
    int centreY(Pos p) const { return top + (p.y - 1) * cellPixels + cellPixels / 2; }
    // Cells not drawn in a board colour, whose centre lies inside the box or outside it.
    int coveredInside(const PixelBox& box) const;
    int coveredOutside(const PixelBox& box) const;
    std::string picture() const; // one character a cell, for failure messages
};

bool onWall(Pos p);
Cell classify(std::uint32_t rgb);
std::optional<Board> readBoard(const Image& image);

} // namespace worm::e2e
