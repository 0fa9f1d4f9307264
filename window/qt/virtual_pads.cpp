// VirtualPads: each FIFO line becomes an SDL virtual joystick's plug, press, stick or unplug.
#include "window/qt/virtual_pads.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "window/qt/gamepads.h"
#include "window/qt/pad_library.h"

namespace worm {

VirtualPads::VirtualPads(Gamepads& pads, int fifo, QObject* parent)
    : QObject(parent), pads_(pads), fifo_(fifo)
{
    auto* notifier = new QSocketNotifier(fifo_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &VirtualPads::readLines);
}

VirtualPads::~VirtualPads() { ::close(fifo_); }

VirtualPads* VirtualPads::fromEnvironment(Gamepads& pads, QObject* parent)
{
    const char* path = std::getenv("WORM_VIRTUAL_PADS");
    if (path == nullptr) {
        return nullptr;
    }
    // Read and write: a FIFO whose last writer closed would read as end of file forever.
    const int fd = ::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || pads.load() == nullptr) {
        std::fprintf(stderr, "worm: no virtual pads from %s\n", path);
        return nullptr;
    }
    return new VirtualPads(pads, fd, parent);
}

void VirtualPads::readLines()
{
    char buffer[256];
    for (ssize_t n; (n = ::read(fifo_, buffer, sizeof buffer)) > 0;) {
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos; pending_.erase(0, end + 1)) {
        const std::string line = pending_.substr(0, end);
        if (!run(line)) {
            std::fprintf(stderr, "worm: virtual pads: cannot run '%s'\n", line.c_str());
        }
    }
}

bool VirtualPads::run(const std::string& line)
{
    const PadLibrary& sdl = *pads_.load();
    std::istringstream in(line);
    std::string verb;
    std::size_t n = 0;
    in >> verb;
    if (verb == "plug") {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "worm virtual pad";
        const int index = sdl.attachVirtual(&desc);
        joysticks_.push_back(index < 0 ? nullptr : sdl.joystickOpen(index));
        pads_.load(); // as the device watcher does for a real pad
        return joysticks_.back() != nullptr;
    }
    if (!(in >> n) || pad(n) == nullptr) {
        return false;
    }
    SDL_Joystick* joystick = pad(n);
    if (verb == "unplug") {
        for (int i = 0, count = sdl.numJoysticks(); i < count; ++i) {
            if (sdl.deviceInstanceId(i) == sdl.joystickInstanceId(joystick)) {
                sdl.detachVirtual(i);
            }
        }
        sdl.joystickClose(joystick);
        joysticks_[n] = nullptr;
        return true;
    }
    std::size_t b = 0;
    double x = 0, y = 0;
    if ((verb == "press" || verb == "release") && in >> b && sdlButtonOf(b) >= 0) {
        return sdl.setVirtualButton(joystick, sdlButtonOf(b), verb == "press" ? 1 : 0) == 0;
    }
    if (verb == "stick" && in >> x >> y) {
        const auto axis = [](double v) { return static_cast<Sint16>(std::clamp(v, -1.0, 1.0) * 32767); };
        return sdl.setVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, axis(x)) == 0 &&
               sdl.setVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, axis(y)) == 0;
    }
    return false;
}

} // namespace worm
