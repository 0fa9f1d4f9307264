// XClient: plain Xlib requests and XTEST fake input; X errors are counted, never fatal.
#include "tests/support/x/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>

#include <bit>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/x/x_server.h"

namespace worm::xharness {
namespace {

int errorCount = 0;

// A window can vanish between two requests; that is a result to look at, not a reason to exit.
int countError(Display*, XErrorEvent*)
{
    ++errorCount;
    return 0;
}

std::uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long max = mask >> shift;
    return static_cast<std::uint32_t>(value * 255 / max);
}

// Depth-first below w, skipping what is not shown.
template <typename Match> Window findBelow(Display* d, Window w, int depth, Match&& match)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable ||
                a.c_class != InputOutput) {
                continue;
            }
            found = match(children[i]) ? children[i]
                    : depth > 1        ? findBelow(d, children[i], depth - 1, match)
                                       : 0;
        }
    }
    if (children) {
        XFree(children);
    }
    return found;
}

} // namespace

XClient::XClient(const XServer& server)
{
    setenv("XAUTHORITY", server.authorityFile().c_str(), 1);
    display_ = XOpenDisplay(server.display().c_str());
    if (!display_) {
        throw std::runtime_error("cannot connect to " + server.display());
    }
    // The programs the harness starts must not inherit its connection.
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(countError);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        throw std::runtime_error("the X server has no XTEST extension");
    }
}

XClient::~XClient() { XCloseDisplay(display_); }

bool XClient::sync()
{
    const int before = errorCount;
    XSync(display_, False);
    return errorCount == before;
}

Atom XClient::atom(const char* name) { return XInternAtom(display_, name, False); }

std::optional<long> XClient::cardinalProperty(Window w, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<long> result;
    if (XGetWindowProperty(display_, w, atom(name), 0, 1, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32 && count == 1) {
        result = *reinterpret_cast<long*>(data);
    }
    if (data) {
        XFree(data);
    }
    return result;
}

std::optional<std::string> XClient::textProperty(Window w, const char* name, const char* type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::string> result;
    if (XGetWindowProperty(display_, w, atom(name), 0, 1024, False, atom(type), &actual, &format, &count,
                           &after, &data) == Success &&
        data && format == 8) {
        result = std::string(reinterpret_cast<char*>(data), count);
    }
    if (data) {
        XFree(data);
    }
    return result;
}

// Two levels: the root's children, and a window manager's frames round the clients.
Window XClient::findWindow(pid_t pid)
{
    const Window found =
        findBelow(display_, root(), 2, [&](Window w) { return cardinalProperty(w, "_NET_WM_PID") == pid; });
    sync();
    return found;
}

Window XClient::topLevelOf(Window w)
{
    while (true) {
        Window rootWindow = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, w, &rootWindow, &parent, &children, &count)) {
            return w;
        }
        if (children) {
            XFree(children);
        }
        if (parent == rootWindow || parent == 0) {
            return w;
        }
        w = parent;
    }
}

std::optional<PixelBox> XClient::placeOnScreen(Window w)
{
    XWindowAttributes a{};
    int x = 0, y = 0;
    Window child = 0;
    if (!XGetWindowAttributes(display_, w, &a) ||
        !XTranslateCoordinates(display_, w, root(), -a.border_width, -a.border_width, &x, &y, &child) ||
        !sync()) {
        return std::nullopt;
    }
    return PixelBox{x, y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
}

// A window manager names its check window on the root, and names it again on that window.
bool XClient::windowManagerRuns()
{
    const auto check = cardinalProperty(root(), "_NET_SUPPORTING_WM_CHECK");
    const bool runs = check && *check != 0 &&
                      cardinalProperty(static_cast<Window>(*check), "_NET_SUPPORTING_WM_CHECK") == *check;
    sync();
    return runs;
}

std::optional<std::string> XClient::title(Window w)
{
    auto name = textProperty(w, "_NET_WM_NAME", "UTF8_STRING");
    if (!name) {
        name = textProperty(w, "WM_NAME", "STRING");
    }
    return sync() ? name : std::nullopt;
}

std::optional<Size> XClient::size(Window w)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display_, w, &a) || !sync()) {
        return std::nullopt;
    }
    return Size{a.width, a.height};
}

std::optional<Image> XClient::grabArea(Window w, const PixelBox& area)
{
    XImage* x = XGetImage(display_, w, area.x, area.y, static_cast<unsigned>(area.width),
                          static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (!sync() || !x) {
        if (x) {
            XDestroyImage(x);
        }
        return std::nullopt;
    }
    Image image(area.width, area.height);
    for (int y = 0; y < area.height; ++y) {
        for (int xx = 0; xx < area.width; ++xx) {
            const unsigned long p = XGetPixel(x, xx, y);
            image.set(xx, y,
                      channel(p, x->red_mask) << 16 | channel(p, x->green_mask) << 8 |
                          channel(p, x->blue_mask));
        }
    }
    XDestroyImage(x);
    return image;
}

std::optional<Image> XClient::grab(Window w)
{
    const auto s = size(w);
    return s ? grabArea(w, {0, 0, s->width, s->height}) : std::nullopt;
}

std::optional<Image> XClient::grabScreen(const PixelBox& area) { return grabArea(root(), area); }

bool XClient::resize(Window w, int width, int height)
{
    XResizeWindow(display_, w, static_cast<unsigned>(width), static_cast<unsigned>(height));
    return sync();
}

// Without a window manager nobody hands out the focus, so the harness does what one would.
bool XClient::focus(Window w)
{
    XSetInputFocus(display_, w, RevertToParent, CurrentTime);
    return sync();
}

void XClient::key(KeySym sym, bool shift)
{
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    const KeyCode code = XKeysymToKeycode(display_, sym);
    if (shift) {
        XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) {
        XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    }
    sync();
}

void XClient::moveTo(Window w, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display_, w, root(), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
}

void XClient::click(Window w, int x, int y)
{
    moveTo(w, x, y);
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    sync();
}

void XClient::drag(Window w, int fromX, int fromY, int toX, int toY)
{
    moveTo(w, fromX, fromY);
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    moveTo(w, toX, toY);
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    sync();
}

void XClient::requestClose(Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = atom("WM_PROTOCOLS");
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, w, False, NoEventMask, &e);
    sync();
}

void XClient::destroy(Window w)
{
    XDestroyWindow(display_, w);
    sync();
}

void XClient::watchTopLevelMaps()
{
    XSelectInput(display_, root(), SubstructureNotifyMask);
    XSync(display_, True);
}

void XClient::watchProperties(Window w)
{
    XSelectInput(display_, w, PropertyChangeMask);
    sync();
}

bool XClient::nextEvent(XEvent& event, Clock::time_point deadline)
{
    XFlush(display_);
    while (XPending(display_) == 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
    XNextEvent(display_, &event);
    return true;
}

Window XClient::nextTopLevelMap(Clock::time_point deadline)
{
    XEvent e{};
    while (nextEvent(e, deadline)) {
        if (e.type == MapNotify && e.xmap.event == root() && !e.xmap.override_redirect) {
            return e.xmap.window;
        }
    }
    return 0;
}

} // namespace worm::xharness
