// launch: start a program, print its pid, window and the milliseconds until the window mapped,
// then wait for the program to end.
#pragma once

namespace worm::bench {

int launch(char* const argv[]);

} // namespace worm::bench
