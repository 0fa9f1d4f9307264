// Benchmark of the window's painter: one full paint of a busy board into an offscreen image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>

#include "tests/support/staging.h"
#include "window/qt/board_painter.h"

namespace worm::bench {
namespace {

using testing::StagedGame;

// The whole board of a mid-game, at the size the window opens at on a 96 dpi screen.
void BM_PaintBoard(benchmark::State& state)
{
    StagedGame staged;
    const FormModel& form = staged.session().form();
    const int width = static_cast<int>(std::lround(form.innerWidth() / form.twipsPerPixel()));
    const int height = static_cast<int>(std::lround(form.innerHeight() / form.twipsPerPixel()));
    const BoardLayout layout(form, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    const QRect everything(0, 0, width, height);
    for (auto _ : state) {
        QPainter painter(&image);
        paintBoard(painter, form, layout, 1.0, everything);
    }
    benchmark::DoNotOptimize(image.constBits());
    state.counters["width_px"] = width;
    state.counters["height_px"] = height;
}
BENCHMARK(BM_PaintBoard)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace worm::bench
