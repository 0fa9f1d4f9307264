// GameState: every field of the game's memory, alive for the whole run and kept across rebuilds.
#pragma once

#include <cstdint>
#include <string>

#include "rules/trail.h"

namespace worm {

struct GameState {
    std::string direction; // "", "up", "down", "left" or "right"
    std::int64_t headx = 0;
    std::int64_t heady = 0;
    std::int32_t interval = 0;
    std::int16_t headcell = 0; // noCell once the head has left the board
    std::int32_t rows = 0;
    std::int16_t cols = 0;
    std::int32_t foodcell = 0;
    std::int32_t growcount = 0;
    std::int32_t tailpos = 0;
    std::int32_t headpos = 0;
    Trail trail;
    bool foodshown = false;
    bool restarting = false;
    std::int64_t score = 0;
    std::int64_t best = 0;
    std::int32_t points = 0;
};

// Stands in a head cell or trail entry for a position that names no cell of the board.
inline constexpr std::int16_t noCell = -1;

// The cell number of column x, row y: 1 is the top-left corner, rows * cols the bottom-right.
constexpr std::int64_t cellNumber(std::int64_t x, std::int64_t y, std::int64_t cols)
{
    return x + cols * (y - 1);
}

// A number computed for the head, narrowed to a board cell or noCell. The head may wander far
// past the wall once play resumes after a collision; such numbers, and 0 (the template), are
// not board cells.
constexpr std::int16_t boardCell(std::int64_t number, const GameState& s)
{
    return number >= 1 && number <= std::int64_t{s.rows} * s.cols ? static_cast<std::int16_t>(number)
                                                                  : noCell;
}

} // namespace worm
