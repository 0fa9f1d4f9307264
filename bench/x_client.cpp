// XClient: waits on the connection with poll, so a quiet window costs the watcher nothing.
#include "bench/x_client.h"

#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>

#include <cmath>
#include <ctime>
#include <stdexcept>

namespace worm::bench {

double monotonicSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

XClient::XClient() : display_(XOpenDisplay(nullptr))
{
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the X display");
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        throw std::runtime_error("the X server has no XTEST extension");
    }
    // The programs this watcher starts must not inherit its connection.
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
}

XClient::~XClient() { XCloseDisplay(display_); }

bool XClient::nextEvent(XEvent& event, double deadline)
{
    XFlush(display_);
    while (XPending(display_) == 0) {
        const double left = deadline - monotonicSeconds();
        if (left <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::ceil(left * 1000)));
    }
    XNextEvent(display_, &event);
    return true;
}

void XClient::pressKey(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XFlush(display_);
}

void XClient::focus(Window window)
{
    XWindowAttributes a{};
    XGetWindowAttributes(display_, window, &a);
    XWarpPointer(display_, None, window, 0, 0, 0, 0, a.width / 2, a.height / 2);
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

} // namespace worm::bench
