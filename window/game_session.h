// GameSession: the game's state, window model and random source wired together, fed events.
#pragma once

#include <cstdint>
#include <memory>

#include "rules/game.h"
#include "window/form_model.h"

namespace worm {

class GameSession {
public:
    explicit GameSession(std::unique_ptr<RandomSource> random, double twipsPerPixel = 15);
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // The events of the window, each run to completion. Ticks arrive only while the timer runs.
    void load();
    void keyDown(std::int16_t keyCode);
    void tick();
    void pauseClicked();
    void gameoverClicked();

    bool ticking() const { return form_.interval() != 0; }
    const FormModel& form() const { return form_; }
    FormModel& form() { return form_; }
    const GameState& state() const { return game_.state; }
    GameState& state() { return game_.state; } // for tests that stage a state
    Game& game() { return game_; }

private:
    std::unique_ptr<RandomSource> random_;
    FormModel form_;
    Game game_;
};

} // namespace worm
