// The trail ring: the cell numbers the head has entered, positions 1 to 5000 used in rotation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/rule_error.h"

namespace worm {

class Trail {
public:
    static constexpr int lastPosition = 5000;

    // The position after pos: 5000 is followed by 1, never by 0.
    static constexpr int advance(int pos) { return pos + 1 > lastPosition ? 1 : pos + 1; }

    std::int16_t at(int pos) const { return cells_[checked(pos)]; }
    void set(int pos, std::int16_t cell) { cells_[checked(pos)] = cell; }

private:
    static std::size_t checked(int pos)
    {
        if (pos < 0 || pos > lastPosition) {
            throw RuleError("trail position " + std::to_string(pos) + " is outside 0 to 5000");
        }
        return static_cast<std::size_t>(pos);
    }

    // Position 0 is never written, so it always names the template cell.
    std::array<std::int16_t, lastPosition + 1> cells_{};
};

} // namespace worm
