// Game: what every rule procedure acts on, the state, the current window and the random source.
#pragma once

#include "rules/form.h"
#include "rules/game_state.h"
#include "rules/random_source.h"

namespace worm {

struct Game {
    Form& form;
    RandomSource& random;
    GameState state{};
};

} // namespace worm
