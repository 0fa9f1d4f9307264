// hit, gotfood, toolate: collisions, meals with their level change, and food that expires.
#pragma once

#include "rules/game.h"

namespace worm {

void hit(Game& game);
void gotfood(Game& game);
void toolate(Game& game);

} // namespace worm
