// init: the board build that starts every freshly loaded window.
#pragma once

#include "rules/game.h"

namespace worm {

void init(Game& game);

} // namespace worm
