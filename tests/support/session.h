// Test helpers: a game session on a scripted random source, and board queries.
#pragma once

#include <memory>

#include "tests/support/scripted_random.h"
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

inline bool isWall(int k)
{
    const int x = (k - 1) % 50 + 1;
    const int y = (k - 1) / 50 + 1;
    return x == 1 || x == 50 || y == 1 || y == 50;
}

} // namespace worm::testing

namespace worm::testing {

// Puts food on a cell the way makefood leaves it.
inline void stageFood(ScriptedSession& t, int cell)
{
    t.form().setFillColour(cell, colours::food);
    t.form().setVisible(cell, true);
    t.state().foodshown = true;
    t.state().foodcell = cell;
}

inline void stageObstacle(ScriptedSession& t, int cell, Colour colour = colours::obstacle)
{
    t.form().setFillColour(cell, colour);
    t.form().setVisible(cell, true);
}

} // namespace worm::testing
