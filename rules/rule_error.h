// The one error the rules raise: a fault that must end the program with a clear report.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace worm {

class RuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Adds to the 32-bit level progress; running past its range is an error, never a wrap.
inline std::int32_t addPoints(std::int32_t points, std::int32_t amount)
{
    std::int32_t sum = 0;
    if (__builtin_add_overflow(points, amount, &sum)) {
        throw RuleError("points overflowed the 32-bit range");
    }
    return sum;
}

} // namespace worm
