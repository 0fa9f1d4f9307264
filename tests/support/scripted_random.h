// ScriptedRandom: hands out the draws a test or fuzz input queues, then a fixed-seed stream.
#pragma once

#include <cstdint>
#include <deque>

#include "rules/random_source.h"

namespace worm::testing {

class ScriptedRandom final : public RandomSource {
public:
    static constexpr std::uint32_t defaultSeed = 20261209u;

    // Each board of a run gets its own stream (seed, seed + 1, ...), so one script still sees
    // varied boards and every run of it is the same.
    explicit ScriptedRandom(std::uint32_t seed = defaultSeed)
        : fallback_([this] { return seed_ + static_cast<std::uint32_t>(reseeds); }), seed_(seed)
    {
    }

    void reseed() override
    {
        fallback_.reseed();
        ++reseeds;
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
    // A byte b draws b / 256: 0 lets food expire, and every column and row can be named.
    void queueByte(std::uint8_t b) { queue(b / 256.0); }
    // The two draws that make the free-cell search pick column x, row y of a 50 x 50 board.
    void queueCell(int x, int y)
    {
        queue((x - 0.5) / 50);
        queue((y - 0.5) / 50);
    }
    // Every draw of a board build and its first tick: the 50 obstacles in rows 5 and 6 from
    // column 3 on, the food at column x, row y (on the head's cell 25, 25 it is eaten at once),
    // and an expiry draw that keeps it.
    void queueFreshBoard(int foodX, int foodY)
    {
        for (int i = 0; i < 50; ++i) {
            queueCell(3 + i % 25, 5 + i / 25);
        }
        queueCell(foodX, foodY);
        queue(0.5);
    }
    bool scriptUsed() const { return script_.empty(); }

    int reseeds = 0;
    std::int64_t draws = 0;

private:
    SeededRandom fallback_;
    std::uint32_t seed_;
    std::deque<double> script_;
};

} // namespace worm::testing
