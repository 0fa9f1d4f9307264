// BudgetReporter: picks the budgeted figures out of the runs, preferring a median when repeated.
#include "bench/budget_report.h"

#include <cstdio>

namespace worm::bench {
namespace {

double secondsPer(const std::string& unit)
{
    if (unit == "us") {
        return 1e-6;
    }
    if (unit == "ms") {
        return 1e-3;
    }
    return 1;
}

} // namespace

BudgetReporter::BudgetReporter(std::vector<Budget> budgets)
    : benchmark::ConsoleReporter(OO_Tabular), budgets_(std::move(budgets)), figures_(budgets_.size())
{
}

void BudgetReporter::ReportRuns(const std::vector<Run>& runs)
{
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        keep(run);
    }
}

void BudgetReporter::keep(const Run& run)
{
    if (run.error_occurred) {
        ++errors_;
        return;
    }
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.run_type == Run::RT_Aggregate && !median) {
        return;
    }
    const std::string& name = run.run_name.function_name;
    const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    seconds_[name] = seconds;
    for (std::size_t i = 0; i < budgets_.size(); ++i) {
        const Budget& b = budgets_[i];
        if (b.benchmark != name) {
            continue;
        }
        double value = 0;
        if (b.counter.empty()) {
            value = seconds / secondsPer(b.unit);
        } else if (const auto c = run.counters.find(b.counter); c != run.counters.end()) {
            value = c->second.value;
        } else {
            continue;
        }
        figures_[i] = Figure{value, true};
    }
}

// A ratio is known only once both benchmarks have run, in whichever order.
BudgetReporter::Figure BudgetReporter::measured(const Budget& b, const Figure& f) const
{
    if (b.per.empty() || !f.measured) {
        return f;
    }
    const auto per = seconds_.find(b.per);
    if (per == seconds_.end() || per->second <= 0) {
        return Figure{};
    }
    return Figure{f.value * secondsPer(b.unit) / per->second, true};
}

int BudgetReporter::printSummary() const
{
    int missed = 0;
    std::printf("\n%-50s %16s %16s\n", "figure", "measured", "budget");
    for (std::size_t i = 0; i < budgets_.size(); ++i) {
        const Budget& b = budgets_[i];
        const Figure f = measured(b, figures_[i]);
        const char* unit = b.unit.c_str();
        char measured[32] = "-";
        char budget[32] = "-";
        if (f.measured) {
            std::snprintf(measured, sizeof measured, "%.3f %s", f.value, unit);
        }
        if (b.limit) {
            std::snprintf(budget, sizeof budget, "%.4g %s", *b.limit, unit);
        }
        const char* verdict = "";
        if (!f.measured) {
            verdict = "not run";
        } else if (b.limit) {
            const bool met = f.value <= *b.limit;
            missed += met ? 0 : 1;
            verdict = met ? "met" : "NOT MET";
        }
        std::printf("%-50s %16s %16s  %s\n", b.figure.c_str(), measured, budget, verdict);
    }
    return missed;
}

} // namespace worm::bench
