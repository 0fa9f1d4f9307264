// Benchmarks of the window's painter into an offscreen image: the full board of a busy mid-game,
// and the three cells one step changes.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

#include "tests/support/staging.h"
#include "window/qt/board_painter.h"

namespace worm::bench {
namespace {

using testing::StagedGame;

// The board at the size the window opens at on a 96 dpi screen, and an image to paint it into.
struct Canvas {
    explicit Canvas(const FormModel& form)
        : width(static_cast<int>(std::lround(form.innerWidth() / form.twipsPerPixel()))),
          height(static_cast<int>(std::lround(form.innerHeight() / form.twipsPerPixel()))),
          layout(form, width, height), image(width, height, QImage::Format_RGB32)
    {
    }

    int width, height;
    BoardLayout layout;
    QImage image;
    BoardPainter board;
};

void BM_PaintBoard(benchmark::State& state)
{
    StagedGame staged;
    const FormModel& form = staged.session().form();
    Canvas canvas(form);
    const QRect everything(0, 0, canvas.width, canvas.height);
    for (auto _ : state) {
        QPainter painter(&canvas.image);
        canvas.board.paint(painter, form, canvas.layout, 1.0, everything);
    }
    benchmark::DoNotOptimize(canvas.image.constBits());
    state.counters["width_px"] = canvas.width;
    state.counters["height_px"] = canvas.height;
}
BENCHMARK(BM_PaintBoard)->Unit(benchmark::kMicrosecond);

// A plain step marks three cells: the new head, the old head now body, the cell the tail left.
// Each is painted as a rectangle of its own, as the damaged area of a tick is made of them.
void BM_PaintThreeCells(benchmark::State& state)
{
    StagedGame staged;
    GameSession& session = staged.session();
    for (int n = 0; n < 10 && session.form().damage().cells().size() != 3; ++n) {
        session.form().damage().clear();
        testing::steerRound(session);
        session.tick(); // a meal marks four
    }
    const FormModel& form = session.form();
    if (form.damage().everything() || form.damage().cells().size() != 3) {
        state.SkipWithError("no tick marked three cells");
        return;
    }
    Canvas canvas(form);
    std::vector<QRect> cells;
    for (const auto k : form.damage().cells()) {
        const PixelRect r = canvas.layout.cellRect(form.cell(k));
        cells.emplace_back(r.x, r.y, r.width, r.height);
    }
    for (auto _ : state) {
        QPainter painter(&canvas.image);
        for (const QRect& cell : cells) {
            canvas.board.paint(painter, form, canvas.layout, 1.0, cell);
        }
    }
    benchmark::DoNotOptimize(canvas.image.constBits());
}
BENCHMARK(BM_PaintThreeCells)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace worm::bench
