// Soak helpers: resident memory, whether a leak checker owns the heap, and staging a meal that
// changes the level.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "window/game_session.h"

namespace worm::testing {

// VmRSS of this process in KiB, from /proc/self/status; -1 if it cannot be read.
inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// AddressSanitizer keeps freed memory in quarantine, so resident size says nothing there; its
// leak checker covers the same ground at exit.
constexpr bool underAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

// Points one meal short of a new level and food on the cell above the head: the next Up and
// tick eat it. Food the tick lets expire first (1 in 1000) leaves the board as it was.
inline void stageLevelChange(GameSession& session)
{
    GameState& s = session.state();
    FormModel& form = session.form();
    if (s.foodshown) {
        form.setVisible(s.foodcell, false);
    }
    const int above = static_cast<int>(cellNumber(s.headx, s.heady - 1, s.cols));
    form.setFillColour(above, colours::food);
    form.setVisible(above, true);
    s.foodcell = above;
    s.foodshown = true;
    s.points = 5000;
}

} // namespace worm::testing
