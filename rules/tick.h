// Timer1_Timer: one tick of the game.
#pragma once

#include "rules/game.h"

namespace worm {

void Timer1_Timer(Game& game);

// The score line, "Score: " then score and best, each after a sign space: "Score:  12/ 340".
std::string scoreLine(std::int64_t score, std::int64_t best);

}  // namespace worm
