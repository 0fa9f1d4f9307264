// Benchmarks of the rules on the toolkit-free model: a tick, a board load, a level change.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "tests/support/alloc_counter.h"
#include "tests/support/staging.h"

namespace worm::bench {
namespace {

using testing::allocationCount;
using testing::StagedGame;

// Put the saved board back after this many ticks, well before the worm could catch its tail.
constexpr int ticksPerStage = 100;

// One ordinary tick on a mid-game board (long worm, food shown), steered round the loop as a
// player would, with the damage the window would clear after it. Also counts the cells one
// tick marks for repaint and the heap allocations the ticks make.
void BM_OrdinaryTick(benchmark::State& state)
{
    StagedGame staged;
    GameSession& session = staged.session();
    state.counters["worm_cells"] = staged.wormLength();
    std::int64_t ticks = 0, marked = 0, levelChanges = 0;
    std::size_t maxMarked = 0;
    std::uint64_t allocations = 0;
    int sinceRestore = 0;
    for (auto _ : state) {
        if (sinceRestore == ticksPerStage) {
            state.PauseTiming();
            staged.restore();
            sinceRestore = 0;
            state.ResumeTiming();
        }
        const std::uint64_t before = allocationCount();
        testing::steerRound(session);
        session.tick();
        allocations += allocationCount() - before;
        Damage& damage = session.form().damage();
        if (damage.everything()) {
            ++levelChanges; // not an ordinary tick; the staging should never get here
        } else {
            marked += static_cast<std::int64_t>(damage.cells().size());
            maxMarked = std::max(maxMarked, damage.cells().size());
        }
        damage.clear();
        ++ticks;
        ++sinceRestore;
    }
    if (levelChanges != 0) {
        state.SkipWithError("the staged ticks changed the level");
        return;
    }
    state.counters["max_cells"] = static_cast<double>(maxMarked);
    state.counters["mean_cells"] = static_cast<double>(marked) / static_cast<double>(ticks);
    state.counters["allocs_per_tick"] = static_cast<double>(allocations) / static_cast<double>(ticks);
}
BENCHMARK(BM_OrdinaryTick);

// Form_Load as the Game Over button runs it: unload, then show, which restores the design
// values, builds the 2500 cells, places the obstacles and runs the first tick.
void BM_FormLoad(benchmark::State& state)
{
    StagedGame staged(0);
    GameSession& session = staged.session();
    for (auto _ : state) {
        session.gameoverClicked();
        session.form().damage().clear();
    }
    benchmark::DoNotOptimize(session.state().headpos);
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMicrosecond);

// The tick whose meal passes 5000 points: the nested unload and show, then the rest of the tick.
void BM_LevelChangeTick(benchmark::State& state)
{
    StagedGame staged;
    testing::stageLevelChange(staged.session());
    staged.session().form().damage().clear();
    staged.save();
    GameSession& session = staged.session();
    const std::int64_t scoreBefore = session.state().score;
    bool changed = true;
    for (auto _ : state) {
        state.PauseTiming();
        staged.restore();
        state.ResumeTiming();
        session.tick();
        changed = changed && session.state().score == scoreBefore + 102 && session.state().headpos == 2;
    }
    if (!changed) {
        state.SkipWithError("the staged meal did not change the level");
    }
}
BENCHMARK(BM_LevelChangeTick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace worm::bench
