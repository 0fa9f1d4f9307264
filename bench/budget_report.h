// The benchmark binary's closing table: every figure beside its budget, met or not met.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace worm::bench {

struct Budget {
    std::string benchmark;       // the benchmark's name as reported
    std::string figure;          // what the line of the table says
    std::string counter;         // a user counter, or empty for the real time per iteration
    std::optional<double> limit; // in unit; none for a figure shown only for its own sake
    std::string unit;            // "us" or "ms" for a time; anything else names a count
    std::string per{};           // a benchmark whose real time divides this one's: the figure is a ratio
};

// Prints each run as the console reporter does, and keeps the figures the budgets name.
class BudgetReporter final : public benchmark::ConsoleReporter {
public:
    explicit BudgetReporter(std::vector<Budget> budgets);
    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the table; returns how many budgets a figure that was measured misses.
    int printSummary() const;
    // Benchmarks that stopped with an error: their staging went wrong, so their figures are void.
    int errors() const { return errors_; }

private:
    struct Figure {
        double value = 0;
        bool measured = false;
    };
    void keep(const Run& run);
    Figure measured(const Budget& b, const Figure& f) const;

    std::vector<Budget> budgets_;
    std::vector<Figure> figures_;
    std::map<std::string, double> seconds_; // each benchmark's real time per iteration
    int errors_ = 0;
};

} // namespace worm::bench
