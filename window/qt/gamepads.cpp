// Gamepads: SDL's game controllers turned into PadSnapshots for one GamepadReader each.
#include "window/qt/gamepads.h"

#include <QDir>

#include <algorithm>
#include <array>

#include "window/game_session.h"
#include "window/qt/pad_library.h"

namespace worm {
namespace {

const QString inputDevices = QStringLiteral("/dev/input");

// SDL's buttons in the standard mapping's order (south, east, west, north, ..., the d-pad, home).
constexpr std::array<int, 17> sdlButtons{SDL_CONTROLLER_BUTTON_A,
                                         SDL_CONTROLLER_BUTTON_B,
                                         SDL_CONTROLLER_BUTTON_X,
                                         SDL_CONTROLLER_BUTTON_Y,
                                         SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                         SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                         -1, // the left trigger, an axis in SDL
                                         -1, // the right trigger
                                         SDL_CONTROLLER_BUTTON_BACK,
                                         SDL_CONTROLLER_BUTTON_START,
                                         SDL_CONTROLLER_BUTTON_LEFTSTICK,
                                         SDL_CONTROLLER_BUTTON_RIGHTSTICK,
                                         SDL_CONTROLLER_BUTTON_DPAD_UP,
                                         SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                                         SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                                         SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                                         SDL_CONTROLLER_BUTTON_GUIDE};

double stick(Sint16 value) { return std::max(-1.0, value / 32767.0); }

// A pad's device node is readable by the player at the seat (logind grants it); keyboards and
// mice are usually not, so this seldom loads SDL where no pad is.
bool readableInputDevice()
{
    const QDir dir(inputDevices);
    const auto nodes = dir.entryList({QStringLiteral("event*"), QStringLiteral("js*")}, QDir::System);
    return std::any_of(nodes.begin(), nodes.end(),
                       [&](const QString& n) { return QFileInfo(dir.filePath(n)).isReadable(); });
}

} // namespace

int sdlButtonOf(std::size_t standard) { return standard < sdlButtons.size() ? sdlButtons[standard] : -1; }

Gamepads::Gamepads(const GameSession& session, Send send, QObject* parent)
    : QObject(parent), session_(session), send_(std::move(send))
{
    frame_.setInterval(17);
    connect(&frame_, &QTimer::timeout, this, &Gamepads::poll);
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &Gamepads::devicesChanged);
}

Gamepads::~Gamepads()
{
    for (const Pad& pad : pads_) {
        sdl_->close(pad.controller);
    }
}

void Gamepads::watch()
{
    // inotify: a new device wakes the game, and nothing does while none comes.
    devices_ = new QFileSystemWatcher(this);
    if (!devices_->addPath(inputDevices)) {
        return; // no input devices at all here (a container, a remote session)
    }
    connect(devices_, &QFileSystemWatcher::directoryChanged, this, [this] {
        settleLooks_ = 0;
        devicesChanged();
    });
    if (readableInputDevice()) {
        load();
    }
}

const PadLibrary* Gamepads::load()
{
    if (sdl_ == nullptr) {
        sdl_ = PadLibrary::get();
    }
    if (sdl_ != nullptr) {
        poll();
    }
    return sdl_;
}

// The node appears before udev has finished with it: look now, then a few times over 3 s.
void Gamepads::devicesChanged()
{
    if (sdl_ != nullptr || readableInputDevice()) {
        load();
    }
    constexpr std::array<int, 3> again{250, 750, 2000};
    if (settleLooks_ < static_cast<int>(again.size())) {
        settle_.start(again[static_cast<std::size_t>(settleLooks_++)]);
    }
}

void Gamepads::poll()
{
    if (sdl_ == nullptr) {
        return;
    }
    sdl_->update(); // also finds pads attached and detached since
    adoptNew();
    pads_.erase(std::remove_if(pads_.begin(), pads_.end(), [this](Pad& pad) { return !read(pad); }),
                pads_.end());
    if (pads_.empty()) {
        frame_.stop(); // nothing to read: no wake-ups
    } else if (!frame_.isActive()) {
        frame_.start();
    }
}

void Gamepads::adoptNew()
{
    for (int i = 0, n = sdl_->numJoysticks(); i < n; ++i) {
        const int id = sdl_->deviceInstanceId(i);
        const bool known = std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
        if (known || !sdl_->isGameController(i)) {
            continue;
        }
        if (SDL_GameController* controller = sdl_->open(i)) {
            pads_.push_back(Pad{controller, id, GamepadReader{}});
        }
    }
}

// One pad's poll through its own reader, so two pads never mix what each holds. False once the
// pad has gone: what it held is forgotten with it.
bool Gamepads::read(Pad& pad)
{
    if (!sdl_->attached(pad.controller)) {
        sdl_->close(pad.controller);
        return false;
    }
    PadSnapshot now;
    for (std::size_t b = 0; b < sdlButtons.size(); ++b) {
        const int button = sdlButtons[b];
        now.pressed[b] =
            button >= 0 && sdl_->button(pad.controller, static_cast<SDL_GameControllerButton>(button));
    }
    now.stickX = stick(sdl_->axis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX));
    now.stickY = stick(sdl_->axis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY));
    std::array<PadCommand, 4> commands;
    const std::size_t n = pad.reader.poll(now, session_.form(), commands);
    for (std::size_t i = 0; i < n; ++i) {
        send_(commands[i]);
    }
    return true;
}

} // namespace worm
