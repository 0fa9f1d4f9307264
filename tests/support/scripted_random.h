// ScriptedRandom: hands out the draws a test queues, then a fixed-seed stream.
#pragma once

#include <cstdint>
#include <deque>

#include "rules/random_source.h"

namespace worm::testing {

class ScriptedRandom final : public RandomSource {
public:
    void reseed() override
    {
        ++reseeds;
        fallback_.reseed(); // each board of a run differs, and every run is the same
    }

    double draw() override
    {
        ++draws;
        if (script_.empty()) {
            return fallback_.draw();
        }
        const double r = script_.front();
        script_.pop_front();
        return r;
    }

    void queue(double r) { script_.push_back(r); }
    // The two draws that make the free-cell search pick column x, row y of a 50 x 50 board.
    void queueCell(int x, int y)
    {
        queue((x - 0.5) / 50);
        queue((y - 0.5) / 50);
    }
    bool scriptUsed() const { return script_.empty(); }

    int reseeds = 0;
    std::int64_t draws = 0;

private:
    std::deque<double> script_;
    SeededRandom fallback_{[this] { return 20261208u + static_cast<std::uint32_t>(reseeds); }};
};

} // namespace worm::testing
