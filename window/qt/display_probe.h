// displayAnswers: whether the display Qt is about to open is there, asked before Qt aborts on it.
#pragma once

namespace worm {

// False only when every platform Qt would try needs a display and none of those displays
// accepts a connection. It connects to the display's socket and hangs up again, a few
// microseconds; whatever it cannot judge (a network display, a platform that needs no display,
// a platform named on the command line) it leaves to Qt.
bool displayAnswers(int argc, const char* const* argv);

} // namespace worm
