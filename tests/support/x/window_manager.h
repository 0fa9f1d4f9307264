// WindowManager: Debian's openbox inside the harness's private Xvfb, so windows get the frame
// and the title bar a player sees.
#pragma once

#include "tests/support/x/child_process.h"

namespace worm::xharness {

class XClient;
class XServer;

class WindowManager {
public:
    // Starts openbox and waits until it manages the screen; throws if it does not.
    WindowManager(const XServer& server, XClient& x);

private:
    ChildProcess process_;
};

} // namespace worm::xharness
