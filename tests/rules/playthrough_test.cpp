// Whole games played by a simple steering policy, with the board checked after every tick.
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

std::vector<bool> wormCells(const GameState& s)
{
    std::vector<bool> cells(2501);
    for (int pos = s.tailpos; pos != s.headpos;) {
        pos = Trail::advance(pos);
        if (s.trail.at(pos) != noCell) {
            cells[static_cast<std::size_t>(s.trail.at(pos))] = true;
        }
    }
    return cells;
}

// Every visible cell is the wall, an obstacle, the food, the worm, or the cell a collision
// has just turned red.
void checkBoard(const GameSession& g)
{
    const GameState& s = g.state();
    const FormModel& f = g.form();
    const std::vector<bool> worm = wormCells(s);
    const bool over = !g.ticking() && f.button(Button::gameover).visible;
    for (int k = 1; k <= 2500; ++k) {
        const CellRecord& c = f.cell(k);
        if (!c.visible || isWall(k) || c.colour == colours::obstacle || c.colour == colours::mealObstacle) {
            continue;
        }
        if (c.colour == colours::food) {
            ASSERT_TRUE(s.foodshown && s.foodcell == k) << "stray food at " << k;
        } else if (c.colour == colours::collision) {
            ASSERT_TRUE(over) << "red cell " << k << " while the game goes on";
        } else {
            ASSERT_TRUE(worm[static_cast<std::size_t>(k)])
                << "cell " << k << " shows the worm but is not in its trail";
        }
    }
    ASSERT_EQ(f.title(), std::string(ScoreLine(s.score, s.best).text()));
    ASSERT_GE(s.best, s.score);
}

TEST(Playthrough, manyGamesKeepTheBoardConsistentThroughLevelChanges)
{
    ScriptedSession t;
    int levelChanges = 0;
    t.form().setLoadHandler([&] {
        levelChanges += t.state().restarting ? 0 : 1;
        Form_Load(t.session.game());
    });
    t.session.load();
    levelChanges = 0;
    int games = 0;
    for (long ticks = 0; ticks < 300'000 && (games < 20 || levelChanges < 1); ++ticks) {
        GameSession& g = t.session;
        if (!g.ticking() && g.form().button(Button::gameover).visible) {
            ++games;
            g.gameoverClicked();
        }
        g.keyDown(steer(g.state(), g.form()));
        g.tick();
        ASSERT_NO_FATAL_FAILURE(checkBoard(g)) << "game " << games << ", tick " << ticks;
    }
    std::printf("%d games, %d level changes, best %lld\n", games, levelChanges,
                static_cast<long long>(t.state().best));
    EXPECT_GE(games, 20);
    EXPECT_GE(levelChanges, 1);
}

} // namespace
} // namespace worm::testing
