// Headings: one cell a step, the arrow key that asks for it, and the runs of empty cells.
#include "tests/support/x/moves.h"

#include <X11/keysym.h>

namespace worm::xharness {

Pos step(Pos p, Heading h, int cells)
{
    switch (h) {
    case Heading::up:
        return {p.x, p.y - cells};
    case Heading::down:
        return {p.x, p.y + cells};
    case Heading::left:
        return {p.x - cells, p.y};
    case Heading::right:
        return {p.x + cells, p.y};
    }
    return p;
}

KeySym keyOf(Heading h)
{
    switch (h) {
    case Heading::up:
        return XK_Up;
    case Heading::down:
        return XK_Down;
    case Heading::left:
        return XK_Left;
    case Heading::right:
        return XK_Right;
    }
    return XK_Up;
}

bool onLine(Pos p, Heading h, int cells)
{
    for (int k = 0; k <= cells; ++k) {
        if (step(centre, h, k) == p) {
            return true;
        }
    }
    return false;
}

int clearRun(const Board& board, Heading h)
{
    int n = 0;
    while (board.at(step(centre, h, n + 1)) == Cell::empty) {
        ++n;
    }
    return n;
}

Heading longestClearRun(const Board& board)
{
    Heading best = Heading::up;
    for (const Heading h : headings) {
        if (clearRun(board, h) > clearRun(board, best)) {
            best = h;
        }
    }
    return best;
}

} // namespace worm::xharness
