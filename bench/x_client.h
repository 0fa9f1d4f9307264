// The figures watcher's X side: a display connection, events with a timeout, keys via XTEST.
#pragma once

#include <X11/Xlib.h>

namespace worm::bench {

double monotonicSeconds();

class XClient {
public:
    XClient();
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    Display* display() const { return display_; }
    Window root() const { return DefaultRootWindow(display_); }

    // The next event, or false once the deadline on the monotonic clock has passed.
    bool nextEvent(XEvent& event, double deadline);
    // Presses and releases the key of an X keysym, as a keyboard would.
    void pressKey(unsigned long keysym);
    // Gives the window the keyboard, so that XTEST keys reach it.
    void focus(Window window);

private:
    Display* display_;
};

} // namespace worm::bench
