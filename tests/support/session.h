// Test helpers: a game session on a scripted random source, and board queries.
#pragma once

#include <memory>

#include "tests/support/board_invariants.h"
#include "tests/support/scripted_random.h"
#include "tests/support/staging.h"
#include "window/game_session.h"

namespace worm::testing {

struct ScriptedSession {
    ScriptedSession() : random(new ScriptedRandom), session(std::unique_ptr<RandomSource>(random)) {}

    ScriptedRandom* random; // owned by the session
    GameSession session;

    FormModel& form() { return session.form(); }
    GameState& state() { return session.state(); }
};

inline int visibleCells(const FormModel& form)
{
    int n = 0;
    for (int k = 1; k < form.cellCount(); ++k) {
        n += form.cell(k).visible ? 1 : 0;
    }
    return n;
}

inline int cellsOfColour(const FormModel& form, Colour colour)
{
    int n = 0;
    for (int k = 1; k < form.cellCount(); ++k) {
        n += form.cell(k).visible && form.cell(k).colour == colour ? 1 : 0;
    }
    return n;
}

} // namespace worm::testing
