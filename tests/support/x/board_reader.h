// The board read from a window's pixels: found by its red wall, every cell named by the exact
// colour at its centre, and checked for whole, square, flat cells centred in the window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/x/image.h"

namespace worm::xharness {

inline constexpr int boardCells = 50;

enum class Cell { empty, red, obstacle, mealObstacle, food, head, body, other };

struct Pos {
    int x = 0, y = 0; // column and row, 1 to 50
    bool operator==(const Pos&) const = default;
};

inline constexpr Pos centre{25, 25};

struct Board {
    int left = 0, top = 0, cellPixels = 0;
    std::array<Cell, boardCells * boardCells> cells{};

    Cell at(Pos p) const { return cells[static_cast<std::size_t>(p.x - 1 + boardCells * (p.y - 1))]; }
    int count(Cell kind) const;
    std::vector<Pos> where(Cell kind) const;
    int centreX(Pos p) const { return left + (p.x - 1) * cellPixels + cellPixels / 2; }
    int centreY(Pos p) const { return top + (p.y - 1) * cellPixels + cellPixels / 2; }
    PixelBox box(Pos p) const
    {
        return {left + (p.x - 1) * cellPixels, top + (p.y - 1) * cellPixels, cellPixels, cellPixels};
    }
    // Cells not drawn in a board colour, whose centre lies inside the box or outside it.
    int coveredInside(const PixelBox& box) const;
    int coveredOutside(const PixelBox& box) const;
    std::string picture() const; // one character a cell, for failure messages
};

bool onWall(Pos p);
Cell classify(std::uint32_t rgb);
// The bounding box of the exact red pixels; on a board without a button over it, the wall's.
std::optional<PixelBox> redExtent(const Image& image);
// The board when the red extent splits into 50 by 50 square cells.
std::optional<Board> readBoard(const Image& image);
// Empty when the grab shows a fresh board crisply: cells of exactly pitch device pixels, the
// board centred to a pixel, 196 wall cells of exact red, a game colour at every cell's centre
// and every cell but the round head one flat colour. Otherwise the first thing wrong.
std::string crispBoardProblem(const Image& image, int pitch);

} // namespace worm::xharness
