// clearLoop: a loop of empty cells for the watcher to steer the worm round without a collision.
#pragma once

#include <optional>

#include "tests/support/x/board_reader.h"

namespace worm::bench {

// A rectangle of cells, columns left to right and rows top to bottom, travelled clockwise.
struct Loop {
    int left = 5, top = 5, right = 45, bottom = 45; // well inside the wall

    int cells() const { return 2 * (right - left) + 2 * (bottom - top); }
};

// The longest loop of at least minimumCells that a worm heading up from the centre of a fresh
// board meets on its top edge, with every cell of the loop and of the way to it empty; nothing
// if there is none.
std::optional<Loop> clearLoop(const xharness::Board& board, int minimumCells = 40);

} // namespace worm::bench
