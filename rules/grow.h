// grow: whether the tail follows the head on this tick.
#pragma once

#include "rules/game.h"

namespace worm {

void grow(Game& game);

} // namespace worm
