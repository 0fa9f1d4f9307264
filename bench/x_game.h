// game: plays a ticking window from outside and reports its tick period, CPU and wake-ups.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

#include "tests/support/x/x_client.h"

namespace worm::bench {

// Steers the worm round a loop for playSeconds, then measures idleSeconds paused with P and
// idleSeconds at game over. Prints one line of figures for each of the three, each starting
// with tag.
int watchGame(xharness::XClient& x, Window window, pid_t pid, const std::string& tag, double playSeconds,
              double idleSeconds);

// The ticking stretch alone, with the same keys at the same ticks: for the per-tick floor, which
// ticks from the start and never stops.
int watchTicks(xharness::XClient& x, Window window, pid_t pid, const std::string& tag, double playSeconds);

} // namespace worm::bench
