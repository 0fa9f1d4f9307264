// XClient: the suite's own connection to the X server: find, read, grab and poke a window
// only as a player and a window manager would, through X requests and XTEST input.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace worm::e2e {

class XServer;

// A grabbed window: pixels as 0xRRGGBB, row by row.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct Size {
    int width = 0, height = 0;
};

class XClient {
public:
    explicit XClient(const XServer& server);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // The mapped top-level window whose _NET_WM_PID is pid, or 0 when there is none yet.
    Window findWindow(pid_t pid);
    std::optional<std::string> title(Window w);
    std::optional<Size> size(Window w);
    std::optional<Image> grab(Window w);

    bool focus(Window w);
    void key(KeySym sym, bool shift = false);
    void click(Window w, int x, int y); // left button, window coordinates
    void drag(Window w, int fromX, int fromY, int toX, int toY);
    void requestClose(Window w); // WM_DELETE_WINDOW, as a close button sends it

private:
    std::optional<std::string> textProperty(Window w, const char* name, const char* type);
    std::optional<long> cardinalProperty(Window w, const char* name);
    Atom atom(const char* name);
    void moveTo(Window w, int x, int y);
    bool sync(); // true when no X error came back since the last sync

    Display* display_ = nullptr;
};

} // namespace worm::e2e
