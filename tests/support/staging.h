// Staging: putting food and obstacles where a test wants them, one meal short of a new level,
// and a mid-game on a fixed seed that can be saved and put back.
#pragma once

#include <cstdint>

#include "window/game_session.h"

namespace worm::testing {

// Moves the food onto a cell the way makefood leaves it; food shown elsewhere is hidden first.
void stageFood(GameSession& session, int cell);
void stageObstacle(GameSession& session, int cell, Colour colour = colours::obstacle);

// The cell the head enters on the next tick along its heading; with no heading yet, the cell
// above it, where the first Up takes it.
int cellAhead(const GameState& s);

// Food on the cell ahead, if that cell is free; false if it is not.
bool putFoodAhead(GameSession& session);

// Food on the cell ahead, whatever showed there, and points one meal short of a new level: the
// next tick along the heading (after an Up on a fresh board) eats it and rebuilds the board.
// Food the tick lets expire first (1 in 1000) leaves the board as it was.
void stageLevelChange(GameSession& session);

// The key that keeps the head on a square loop round the board, clockwise, and presses it (and
// resumes after a collision); returns how many keys it pressed.
int steerRound(GameSession& session);

// A session on a fixed seed, played on the loop to mid-game: a long worm and food shown. Its
// state can be saved and put back, so every repetition starts from the same board.
class StagedGame {
public:
    static constexpr std::uint32_t seed = 20261208u;

    explicit StagedGame(int ticksToPlay = 1200);

    GameSession& session() { return session_; }
    void save();
    void restore();
    int wormLength() const; // cells from just past the tail to the head

private:
    SeededRandom* random_; // owned by the session
    GameSession session_;
    FormModel savedForm_;
    GameState savedState_;
    SeededRandom savedRandom_;
};

} // namespace worm::testing
