// Free-cell placement: the starting obstacles, the food and the obstacle added by each meal.
#pragma once

#include "rules/game.h"

namespace worm {

void obstacles(Game& game);
void makefood(Game& game);
void randomblock(Game& game);

} // namespace worm
