// The benchmark binary: runs every benchmark, then prints each figure beside its budget.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <optional>

#include "bench/budget_report.h"

namespace {

std::vector<worm::bench::Budget> budgets()
{
    return {
        {"BM_OrdinaryTick", "one ordinary tick, rules work", "", 1, "us"},
        {"BM_OrdinaryTick", "heap allocations per ordinary tick", "allocs_per_tick", 0, "allocs"},
        {"BM_OrdinaryTick", "cells a steady ordinary tick marks for repaint", "max_cells", 4, "cells"},
        {"BM_FormLoad", "Form_Load, rules work", "", 100, "us"},
        {"BM_LevelChangeTick", "the tick that changes the level", "", 2, "ms"},
        {"BM_PaintBoard", "full paint of a busy board, offscreen", "", 2, "ms"},
        {"BM_PaintThreeCells", "paint of a step's three cells, offscreen", "", std::nullopt, "us"},
        {"BM_PaintThreeCells", "  the same, to the full paint", "", 0.1, "x", "BM_PaintBoard"},
        {"BM_WindowTick", "whole window's CPU per tick, offscreen", "cpu_us_per_tick", std::nullopt, "us"},
        {"BM_WindowTick", "whole window's allocations per tick, offscreen", "allocs_per_tick", std::nullopt,
         "allocs"},
    };
}

} // namespace

int main(int argc, char* argv[])
{
    // Painting, and the window of BM_WindowTick, need a GUI application but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    worm::bench::BudgetReporter reporter(budgets());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const int missed = reporter.printSummary();
#ifndef NDEBUG
    std::printf("built without NDEBUG: these figures are not the ones to quote; use the bench preset\n");
#endif
    std::printf("%d budget(s) not met\n", missed);
    // A missed budget is a finding to report, not a failure; a benchmark that errs is.
    return reporter.errors() == 0 ? 0 : 1;
}
