// Announcer: the few moments a player who cannot see the board must hear about, in words.
#pragma once

#include <cstdint>
#include <string>

#include "window/game_session.h"

namespace worm {

// Asked after every event, it answers only when something a player must know has just happened:
// the game ended, it paused, a new board came with a new level or a new game. Never every tick.
class Announcer {
public:
    // Empty when there is nothing new to say.
    std::string after(const GameSession& session);

private:
    int loads_ = 0;
    int level_ = 1;
    std::int64_t score_ = 0;
    bool paused_ = false;
    bool over_ = false;
};

} // namespace worm
