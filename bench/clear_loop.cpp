// clearLoop: tries every rectangle round the centre's column, longest kept.
#include "bench/clear_loop.h"

namespace worm::bench {
namespace {

using xharness::Board;
using xharness::Cell;

bool emptyRow(const Board& board, int y, int from, int to)
{
    for (int x = from; x <= to; ++x) {
        if (board.at({x, y}) != Cell::empty) {
            return false;
        }
    }
    return true;
}

bool emptyColumn(const Board& board, int x, int from, int to)
{
    for (int y = from; y <= to; ++y) {
        if (board.at({x, y}) != Cell::empty) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Loop> clearLoop(const Board& board, int minimumCells)
{
    constexpr int first = 2, last = xharness::boardCells - 1; // inside the wall
    const xharness::Pos from = xharness::centre;
    std::optional<Loop> best;
    // Going up from the centre, the way to the loop's top edge must be empty too.
    for (int top = from.y - 1; top >= first && board.at({from.x, top}) == Cell::empty; --top) {
        for (int left = first; left < from.x; ++left) {
            for (int right = from.x + 1; right <= last; ++right) {
                if (!emptyRow(board, top, left, right)) {
                    break; // a wider top edge holds the same cell
                }
                for (int bottom = top + 2; bottom <= last; ++bottom) {
                    const Loop loop{left, top, right, bottom};
                    if (loop.cells() < minimumCells || (best && loop.cells() <= best->cells())) {
                        continue;
                    }
                    if (emptyRow(board, bottom, left, right) && emptyColumn(board, left, top, bottom) &&
                        emptyColumn(board, right, top, bottom)) {
                        best = loop;
                    }
                }
            }
        }
    }
    return best;
}

} // namespace worm::bench
