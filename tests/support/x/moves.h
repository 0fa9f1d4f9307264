// Headings on the board as read from pixels: the arrow keys, and the empty lines from the centre.
#pragma once

#include <X11/X.h>

#include "tests/support/x/board_reader.h"

namespace worm::xharness {

enum class Heading { up, down, left, right };
inline constexpr Heading headings[] = {Heading::up, Heading::down, Heading::left, Heading::right};

Pos step(Pos p, Heading h, int cells = 1);
KeySym keyOf(Heading h);
// Whether p is one of the first cells from the centre along h, the centre itself included.
bool onLine(Pos p, Heading h, int cells);
// How many empty cells lie ahead of the centre before the first drawn one.
int clearRun(const Board& board, Heading h);
Heading longestClearRun(const Board& board);

} // namespace worm::xharness
