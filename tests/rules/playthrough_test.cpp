// Whole games played by a simple steering policy, with every cell checked after every event.
#include <gtest/gtest.h>

#include <vector>

#include "rules/tick.h"
#include "tests/support/session.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

struct Step {
    const char* direction;
    std::int16_t key;
    int dx, dy;
};
constexpr Step steps[] = {{"up", keys::up, 0, -1},
                          {"down", keys::down, 0, 1},
                          {"left", keys::left, -1, 0},
                          {"right", keys::right, 1, 0}};

bool reverses(const std::string& heading, const Step& s)
{
    return (heading == "up" && s.dy == 1) || (heading == "down" && s.dy == -1) ||
           (heading == "left" && s.dx == 1) || (heading == "right" && s.dx == -1);
}

bool enterable(const FormModel& f, int cell)
{
    return !f.visible(cell) || f.fillColour(cell) == colours::food;
}

// How much room lies beyond a cell, counted up to a limit: enough to keep clear of dead ends.
int room(const FormModel& f, int start, int limit)
{
    std::vector<bool> seen(2501);
    std::vector<int> queue{start};
    seen[static_cast<std::size_t>(start)] = true;
    for (std::size_t i = 0; i < queue.size() && static_cast<int>(queue.size()) < limit; ++i) {
        const int c = queue[i];
        for (const int n : {c - 1, c + 1, c - 50, c + 50}) {
            if (n >= 1 && n <= 2500 && !seen[static_cast<std::size_t>(n)] && enterable(f, n)) {
                seen[static_cast<std::size_t>(n)] = true;
                queue.push_back(n);
            }
        }
    }
    return static_cast<int>(queue.size());
}

// Heads for the food along a neighbour with room behind it, or straight on when boxed in.
std::int16_t steer(const GameState& s, const FormModel& f)
{
    const int fx = (s.foodcell - 1) % 50 + 1;
    const int fy = (s.foodcell - 1) / 50 + 1;
    std::int16_t best = 0;
    long bestDistance = 1'000'000;
    for (const Step& step : steps) {
        const std::int64_t x = s.headx + step.dx;
        const std::int64_t y = s.heady + step.dy;
        if (reverses(s.direction, step) || x < 1 || x > 50 || y < 1 || y > 50) {
            continue;
        }
        const int cell = static_cast<int>(cellNumber(x, y, 50));
        if (!enterable(f, cell)) {
            continue;
        }
        const long crowded = room(f, cell, 40) < 40 ? 10'000 : 0;
        const long distance = crowded + std::labs(fx - x) + std::labs(fy - y);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = step.key;
        }
    }
    return best != 0 ? best : keys::up;
}

// Every load is the first board, a Game Over click, or a level change.
std::int64_t levelChanges(const BoardInvariants& board, int games) { return board.loads() - 1 - games; }

TEST(Playthrough, manyGamesKeepTheBoardConsistentThroughLevelChanges)
{
    ScriptedSession t;
    GameSession& g = t.session;
    BoardInvariants board(g, 1); // every cell after every event
    board.attach();
    g.load();
    board.afterEvent(Event::load);
    int games = 0;
    for (long ticks = 0; ticks < 300'000 && (games < 20 || levelChanges(board, games) < 1); ++ticks) {
        if (!g.ticking() && g.form().button(Button::gameover).visible) {
            ++games;
            g.gameoverClicked();
            ASSERT_NO_THROW(board.afterEvent(Event::gameoverClick)) << "game " << games;
        }
        g.keyDown(steer(g.state(), g.form()));
        ASSERT_NO_THROW(board.afterEvent(Event::key)) << "game " << games << ", tick " << ticks;
        g.tick();
        ASSERT_NO_THROW(board.afterEvent(Event::tick)) << "game " << games << ", tick " << ticks;
        ASSERT_EQ(g.form().title(), std::string(ScoreLine(g.state().score, g.state().best).text()));
    }
    const std::int64_t levels = levelChanges(board, games);
    std::printf("%d games, %lld level changes, best %lld\n", games, static_cast<long long>(levels),
                static_cast<long long>(t.state().best));
    EXPECT_GE(games, 20);
    EXPECT_GE(levels, 1);
}

} // namespace
} // namespace worm::testing
