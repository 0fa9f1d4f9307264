// game: plays the game's window from outside and reports its tick period and CPU share.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include "tests/support/x/x_client.h"

namespace worm::bench {

// Steers the worm round a loop for playSeconds, then measures idleSeconds paused with P and
// idleSeconds at game over. Prints one line of figures for each of the three.
int watchGame(xharness::XClient& x, Window window, pid_t pid, double playSeconds, double idleSeconds);

} // namespace worm::bench
