// Damage: which cells changed since the window last painted, so only those are repainted.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

namespace worm {

class Damage {
public:
    static constexpr int capacity = 2501;

    Damage() { cells_.reserve(capacity); }

    void markCell(int k)
    {
        if (everything_ || marked_.test(static_cast<std::size_t>(k))) {
            return;
        }
        marked_.set(static_cast<std::size_t>(k));
        cells_.push_back(static_cast<std::int16_t>(k));
    }
    void markEverything() { everything_ = true; }

    bool everything() const { return everything_; }
    const std::vector<std::int16_t>& cells() const { return cells_; }
    bool empty() const { return !everything_ && cells_.empty(); }

    void clear()
    {
        for (const auto k : cells_) {
            marked_.reset(static_cast<std::size_t>(k));
        }
        cells_.clear();
        everything_ = false;
    }

private:
    std::bitset<capacity> marked_;
    std::vector<std::int16_t> cells_; // reserved once: marking never allocates
    bool everything_ = false;
};

} // namespace worm
