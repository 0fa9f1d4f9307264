// VirtualPads: test builds' pads, SDL virtual joysticks played from a FIFO's lines.
#pragma once

#include <QObject>

#include <string>
#include <vector>

struct _SDL_Joystick;

namespace worm {

class Gamepads;

// WORM_VIRTUAL_PADS names a FIFO; each line is one of
//   plug | unplug N | press N B | release N B | stick N X Y
// with N the pad's number in the order plugged, B a standard mapping's button and X, Y the left
// stick's axes in -1..1. Everything from the joystick on is the path a real pad takes.
class VirtualPads final : public QObject {
public:
    VirtualPads(Gamepads& pads, int fifo, QObject* parent = nullptr);
    ~VirtualPads() override;
    VirtualPads(const VirtualPads&) = delete;
    VirtualPads& operator=(const VirtualPads&) = delete;

    // Listens on the FIFO WORM_VIRTUAL_PADS names, if it is set; null otherwise.
    static VirtualPads* fromEnvironment(Gamepads& pads, QObject* parent);

private:
    void readLines();
    bool run(const std::string& line);
    _SDL_Joystick* pad(std::size_t n) const { return n < joysticks_.size() ? joysticks_[n] : nullptr; }

    Gamepads& pads_;
    int fifo_;
    std::string pending_;
    std::vector<_SDL_Joystick*> joysticks_; // null once unplugged
};

} // namespace worm
