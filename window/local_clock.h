// The seed both front ends give the game: seconds since local midnight, read when a board is built.
#pragma once

#include <cstdint>
#include <ctime>

namespace worm {

inline std::uint32_t secondsSinceMidnight()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local); // the desktop's, or the browser's, own time zone
    return static_cast<std::uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

} // namespace worm
