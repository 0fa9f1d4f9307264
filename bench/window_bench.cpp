// The Qt window's whole work per tick (rules, mirroring, repaint) on the offscreen platform,
// timed by the real 75 ms timer: the allocations and the CPU time from one title to the next.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <ctime>

#include "tests/support/alloc_counter.h"
#include "tests/support/staging.h"
#include "window/qt/game_window.h"

namespace worm::bench {
namespace {

using testing::StagedGame;

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Heading right from the centre, the worm meets the wall after 24 ticks; 20 are measured.
void BM_WindowTick(benchmark::State& state)
{
    constexpr int ticksToSee = 21;
    int titles = 0;
    std::uint64_t firstAllocations = 0, lastAllocations = 0;
    double firstCpu = 0, lastCpu = 0;
    for (auto _ : state) {
        GameWindow window(std::make_unique<SeededRandom>([] { return StagedGame::seed; }), 15);
        if (!window.start()) {
            state.SkipWithError("the window did not load");
            return;
        }
        window.show();
        QObject::connect(&window, &QWidget::windowTitleChanged, [&] {
            ++titles;
            lastAllocations = testing::allocationCount();
            lastCpu = threadCpuSeconds();
            if (titles == 1) {
                firstAllocations = lastAllocations;
                firstCpu = lastCpu;
            }
            if (titles == ticksToSee) {
                QApplication::quit();
            }
        });
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(&window, &right);
        QTimer::singleShot(5000, &window, [] { QApplication::quit(); }); // in case the ticks stop early
        QApplication::exec();
    }
    const int ticks = titles - 1;
    if (ticks < 1) {
        state.SkipWithError("the window did not tick");
        return;
    }
    state.counters["ticks"] = ticks;
    state.counters["allocs_per_tick"] = static_cast<double>(lastAllocations - firstAllocations) / ticks;
    state.counters["cpu_us_per_tick"] = (lastCpu - firstCpu) / ticks * 1e6;
}
BENCHMARK(BM_WindowTick)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace worm::bench
