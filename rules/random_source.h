// The rules' source of uniform draws in [0, 1): a seam, so tests can script every placement.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace worm {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0; // at every board build
    virtual double draw() = 0; // 0 <= r < 1
};

// A Mersenne Twister reseeded from whatever the seed function gives: the time of day in the
// game, a fixed number in a test. The clock stays outside the rules.
class SeededRandom final : public RandomSource {
public:
    using SeedFunction = std::function<std::uint32_t()>;

    explicit SeededRandom(SeedFunction seed) : seed_(std::move(seed)) {}

    void reseed() override { engine_.seed(seed_()); }

    double draw() override
    {
        // The top 53 bits give every double in [0, 1) that has an exact binary step; never 1.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

private:
    SeedFunction seed_;
    std::mt19937_64 engine_;
};

} // namespace worm
