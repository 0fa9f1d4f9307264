// ScriptRandom: draws an input has queued come first, then a stream seeded by the input itself.
#pragma once

#include <cstdint>
#include <deque>

#include "rules/random_source.h"

namespace worm::fuzz {

class ScriptRandom final : public RandomSource {
public:
    // Each board gets its own stream, so one input still sees varied boards.
    explicit ScriptRandom(std::uint32_t seed) : fallback_([this] { return seed_ + boards_++; }), seed_(seed)
    {
    }

    void reseed() override { fallback_.reseed(); }

    double draw() override
    {
        if (queued_.empty()) {
            return fallback_.draw();
        }
        const double r = queued_.front();
        queued_.pop_front();
        return r;
    }

    // A byte b draws b / 256: 0 lets food expire, and every column and row can be named.
    void queue(std::uint8_t b) { queued_.push_back(b / 256.0); }

private:
    SeededRandom fallback_;
    std::uint32_t seed_;
    std::uint32_t boards_ = 0;
    std::deque<double> queued_;
};

} // namespace worm::fuzz
