// Gamepads: every standard pad attached, read once a display frame into the game's events.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

#include "window/input/gamepad_reader.h"

struct _SDL_GameController;

namespace worm {

class GameSession;
struct PadLibrary;

// SDL's button for a standard mapping's index, or -1 where SDL has an axis (the triggers).
int sdlButtonOf(std::size_t standard);

class Gamepads final : public QObject {
public:
    using Send = std::function<void(const PadCommand&)>;
    // send runs each pad's commands on this thread, between the window's other events.
    Gamepads(const GameSession& session, Send send, QObject* parent = nullptr);
    ~Gamepads() override;
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts watching for pads: SDL is loaded now if a pad may already be there, else once an
    // input device appears. Costs nothing while none does.
    void watch();
    // Loads SDL, whatever the input devices, and looks for pads now (test builds' virtual pads).
    const PadLibrary* load();
    // Takes in the pads attached since the last look, and reads every pad once.
    void poll();
    std::size_t count() const { return pads_.size(); }
    // How often pads are read: once a frame of the window's screen.
    void setFrameInterval(int ms) { frame_.setInterval(ms); }

private:
    struct Pad {
        _SDL_GameController* controller;
        int id; // SDL's instance id, unique for the run
        GamepadReader reader;
    };
    void devicesChanged();
    void adoptNew();
    bool read(Pad& pad);

    const GameSession& session_;
    Send send_;
    const PadLibrary* sdl_ = nullptr;
    std::vector<Pad> pads_;
    QTimer frame_;
    QTimer settle_; // looks again while a new device's permissions are being set
    int settleLooks_ = 0;
    QFileSystemWatcher* devices_ = nullptr;
};

} // namespace worm
