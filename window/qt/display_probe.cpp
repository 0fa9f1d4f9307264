// displayAnswers: Qt's own choice of platform, then a connect to each candidate's display socket.
#include "window/qt/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace worm {
namespace {

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool envSet(const char* name) { return std::getenv(name) != nullptr; }

// True if a server accepts a connection on the Unix socket; a name starting with '@' is in
// Linux's abstract namespace. A socket that cannot even be tried counts as answering.
bool answers(std::string_view path)
{
    const bool abstract = !path.empty() && path.front() == '@';
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return true;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    if (abstract) {
        address.sun_path[0] = '\0';
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return true;
    }
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    close(fd);
    return connected;
}

// DISPLAY is [host]:number[.screen]; only a local display has a socket to try.
bool xDisplayAnswers()
{
    const std::string display = env("DISPLAY");
    const auto colon = display.rfind(':');
    if (display.empty()) {
        return false;
    }
    const std::string host = colon == std::string::npos ? "" : display.substr(0, colon);
    if (colon == std::string::npos || !(host.empty() || host == "unix")) {
        return true; // a network display, or a form libxcb knows and this does not
    }
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return true;
    }
    const std::string socketPath = "/tmp/.X11-unix/X" + number;
    return answers("@" + socketPath) || answers(socketPath); // libxcb tries both, in this order
}

// The compositor's socket is WAYLAND_DISPLAY (wayland-0 if unset) in XDG_RUNTIME_DIR, or an
// absolute path.
bool waylandDisplayAnswers()
{
    if (envSet("WAYLAND_SOCKET")) {
        return true; // handed a connection already open
    }
    std::string name = env("WAYLAND_DISPLAY");
    if (name.empty()) {
        name = "wayland-0";
    }
    if (name.front() != '/') {
        const std::string runtimeDir = env("XDG_RUNTIME_DIR");
        if (runtimeDir.empty()) {
            return false;
        }
        name = runtimeDir + "/" + name;
    }
    return answers(name);
}

// The platforms in the order Qt tries them: QT_QPA_PLATFORM if set, else Wayland first when
// the session says so, then X.
std::vector<std::string> platformsQtTries()
{
    std::string list = env("QT_QPA_PLATFORM");
    if (list.empty()) {
        list = envSet("WAYLAND_DISPLAY") || env("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        const std::string entry = list.substr(start, end - start);
        names.push_back(entry.substr(0, entry.find(':'))); // drop the plugin's options
        start = end + 1;
    }
    return names;
}

bool platformNamedOnCommandLine(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform") {
            return true;
        }
    }
    return false;
}

} // namespace

bool displayAnswers(int argc, const char* const* argv)
{
    if (platformNamedOnCommandLine(argc, argv)) {
        return true;
    }
    for (const std::string& platform : platformsQtTries()) {
        if (platform.empty()) {
            continue;
        }
        if (platform == "xcb") {
            if (xDisplayAnswers()) {
                return true;
            }
        } else if (platform.rfind("wayland", 0) == 0) {
            if (waylandDisplayAnswers()) {
                return true;
            }
        } else {
            return true; // offscreen, a framebuffer, VNC: nothing here to judge
        }
    }
    return false;
}

} // namespace worm
