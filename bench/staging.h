// Staging for the benchmarks: a game played to mid-game on a fixed seed, saved and put back.
#pragma once

#include <cstdint>

#include "window/game_session.h"

namespace worm::bench {

inline constexpr std::uint32_t fixedSeed = 20261208u;

// The keys a player would press to keep the worm on a square loop around the board, and to
// resume whenever the game stopped on something in the way. Returns how many keys it pressed.
int steer(GameSession& session);

// A session on a fixed seed whose state can be saved and put back, so that every repetition
// of a benchmark starts from the same board.
class StagedGame {
public:
    // Loads a board and plays ticks on the loop until the worm is long and food is shown.
    explicit StagedGame(int ticksToPlay = 1200);

    GameSession& session() { return session_; }
    void save();
    void restore();

    // Moves the food onto the cell the head enters next; false if that cell is not free.
    bool putFoodAhead();
    // The same, with points lifted to just below a level, so the next tick's meal rebuilds the board.
    void stageLevelChange();

    int wormLength() const;

private:
    SeededRandom* random_; // owned by the session
    GameSession session_;
    FormModel savedForm_;
    GameState savedState_;
    SeededRandom savedRandom_;
};

} // namespace worm::bench
