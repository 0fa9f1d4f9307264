// XClient: the harness's own connection to its X server. It finds, reads, grabs, resizes and
// pokes windows only as a player and a window manager would: X requests and XTEST input.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <optional>
#include <string>

#include "tests/support/x/image.h"
#include "tests/support/x/wait.h"

namespace worm::xharness {

class XServer;

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

class XClient {
public:
    explicit XClient(const XServer& server);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    Display* display() const { return display_; }
    Window root() const { return DefaultRootWindow(display_); }
    Atom atom(const char* name);

    // The mapped window whose _NET_WM_PID is pid, or 0 when there is none yet. It is a child of
    // the root, or of a window manager's frame.
    Window findWindow(pid_t pid);
    // The root's child that holds w: the frame under a window manager, w itself without one.
    Window topLevelOf(Window w);
    // Where w lies on the screen, its border included.
    std::optional<PixelBox> placeOnScreen(Window w);
    bool windowManagerRuns();

    std::optional<std::string> title(Window w);
    std::optional<Size> size(Window w);
    std::optional<Image> grab(Window w);
    std::optional<Image> grabScreen(const PixelBox& area);
    bool resize(Window w, int width, int height);

    bool focus(Window w);
    void key(KeySym sym, bool shift = false);
    void click(Window w, int x, int y); // left button, window coordinates
    void drag(Window w, int fromX, int fromY, int toX, int toY);
    void requestClose(Window w); // WM_DELETE_WINDOW, as a close button sends it
    void destroy(Window w);      // XDestroyWindow from another client, as xdotool windowclose does

    // Events arrive only once asked for: the mapping of the root's children, a window's
    // property changes. nextEvent waits on the connection without polling.
    void watchTopLevelMaps(); // also drops the events queued so far
    void watchProperties(Window w);
    bool nextEvent(XEvent& event, Clock::time_point deadline);
    // The next window a program (not a menu or tooltip) maps on the root, or 0 at the deadline.
    Window nextTopLevelMap(Clock::time_point deadline);

private:
    std::optional<std::string> textProperty(Window w, const char* name, const char* type);
    std::optional<long> cardinalProperty(Window w, const char* name);
    std::optional<Image> grabArea(Window w, const PixelBox& area);
    void moveTo(Window w, int x, int y);
    bool sync(); // true when no X error came back since the last sync

    Display* display_ = nullptr;
};

} // namespace worm::xharness
