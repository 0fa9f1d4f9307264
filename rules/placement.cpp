// obstacles, makefood, randomblock: each draws random cells until one is free, then paints it.
#include "rules/placement.h"

#include <optional>

namespace worm {
namespace {

bool isHeadStart(const GameState& s, std::int64_t x, std::int64_t y) { return x == s.headx && y == s.heady; }

template <typename Accept> bool anyAcceptable(const Game& game, Accept accept)
{
    const GameState& s = game.state;
    for (std::int64_t y = 1; y <= s.rows; ++y) {
        for (std::int64_t x = 1; x <= s.cols; ++x) {
            if (accept(x, y)) {
                return true;
            }
        }
    }
    return false;
}

// Draws column then row until accept() takes the candidate. A board with no acceptable cell
// would spin for ever, so after every run of failures the whole board is checked once; the
// draws are the same as an unbounded search whenever some cell can be taken.
template <typename Accept> std::optional<int> search(Game& game, Accept accept)
{
    constexpr int attemptsBeforeCheck = 4096;
    const GameState& s = game.state;
    for (int attempt = 1;; ++attempt) {
        const auto x = static_cast<std::int64_t>(game.random.draw() * s.cols) + 1;
        const auto y = static_cast<std::int64_t>(game.random.draw() * s.rows) + 1;
        if (accept(x, y)) {
            return static_cast<int>(cellNumber(x, y, s.cols));
        }
        if (attempt % attemptsBeforeCheck == 0 && !anyAcceptable(game, accept)) {
            return std::nullopt;
        }
    }
}

std::optional<int> searchFree(Game& game)
{
    return search(game, [&](std::int64_t x, std::int64_t y) {
        return !game.form.visible(static_cast<int>(cellNumber(x, y, game.state.cols)));
    });
}

void paint(Form& form, int cell, Colour colour)
{
    form.setFillColour(cell, colour);
    form.setVisible(cell, true);
}

} // namespace

void obstacles(Game& game)
{
    const int count = game.state.cols * game.state.rows / 50;
    for (int n = 0; n < count; ++n) {
        const auto cell = search(game, [&](std::int64_t x, std::int64_t y) {
            return !game.form.visible(static_cast<int>(cellNumber(x, y, game.state.cols))) &&
                   !isHeadStart(game.state, x, y);
        });
        if (cell) {
            paint(game.form, *cell, colours::obstacle);
        }
    }
}

void makefood(Game& game)
{
    game.state.foodshown = true;
    if (const auto cell = searchFree(game)) {
        game.state.foodcell = *cell;
        paint(game.form, *cell, colours::food); // keeps the shape the cell last had
    } else {
        game.state.foodshown = false; // nothing placed, so nothing may expire; try next tick
    }
}

void randomblock(Game& game)
{
    if (const auto cell = searchFree(game)) {
        paint(game.form, *cell, colours::mealObstacle);
    }
}

} // namespace worm
