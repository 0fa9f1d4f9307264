// hit ends the game on any visible cell but food; gotfood scores, grows and may change level.
#include "rules/collision.h"

#include "rules/placement.h"

namespace worm {
namespace {

inline constexpr std::int32_t levelPoints = 5000;

void gameOver(Game& game, int cell)
{
    game.form.showButton(Button::gameover);
    game.form.setInterval(0);
    if (cell != noCell) {
        game.form.setFillColour(cell, colours::collision);
    }
}

// Unload and show again: the new board is built, and its first tick run, before this returns.
void changeLevel(Game& game)
{
    game.state.points = game.state.points - levelPoints;
    game.form.unload();
    game.form.show();
}

} // namespace

void hit(Game& game)
{
    // A head off the board names no cell and runs into nothing it could eat.
    const int cell = game.state.headcell;
    if (cell == noCell) {
        gameOver(game, noCell);
        return;
    }
    if (game.form.visible(cell) && game.form.fillColour(cell) == colours::food) {
        // gotfood hides this cell, so a meal never ends the game. After a level change the
        // cell belongs to a board that is gone, and the new board must not be asked.
        gotfood(game);
        return;
    }
    if (game.form.visible(cell)) {
        gameOver(game, cell);
    }
}

void gotfood(Game& game)
{
    GameState& s = game.state;
    s.foodshown = false;
    s.score = s.score + 100;
    s.points = addPoints(s.points, 100);
    randomblock(game); // while the food still shows, so never on the eaten cell
    if (s.tailpos > 5) {
        s.tailpos = s.tailpos - 5;
    }
    game.form.setVisible(s.headcell, false);
    if (s.points > levelPoints) {
        changeLevel(game);
    }
}

void toolate(Game& game)
{
    game.state.foodshown = false;
    game.form.setVisible(game.state.foodcell, false); // whatever it shows by now
}

} // namespace worm
