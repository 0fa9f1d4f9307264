// listenToGamepads: the browser has no gamepad events for buttons, so a pad is polled each
// frame, and only while one is connected; the reader turns what changed into the game's events.
#include "window/web/gamepad_poll.h"

#include <emscripten/html5.h>

#include <array>
#include <cstring>

#include "window/gamepad_reader.h"

namespace worm {
namespace {

GamepadReader reader;
bool polling = false;

PadSnapshot snapshotOf(const EmscriptenGamepadEvent& pad)
{
    PadSnapshot s;
    for (int b = 0; b < static_cast<int>(s.pressed.size()) && b < pad.numButtons; ++b) {
        s.pressed[static_cast<std::size_t>(b)] = pad.digitalButton[b] != EM_FALSE;
    }
    s.stickX = pad.numAxes > 0 ? pad.axis[0] : 0;
    s.stickY = pad.numAxes > 1 ? pad.axis[1] : 0;
    return s;
}

// The first connected pad with the standard layout; false if there is none.
bool firstStandardPad(EmscriptenGamepadEvent& pad)
{
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return false;
    }
    for (int i = 0, n = emscripten_get_num_gamepads(); i < n; ++i) {
        if (emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS &&
            pad.connected != EM_FALSE && std::strcmp(pad.mapping, "standard") == 0) {
            return true;
        }
    }
    return false;
}

void send(WebWindow& window, const PadCommand& command)
{
    if (command.kind == PadCommand::Kind::key) {
        window.keyDown(command.keyCode);
    } else if (command.button == Button::pause) {
        window.pauseClicked();
    } else {
        window.gameoverClicked();
    }
}

EM_BOOL onFrame(double, void* userData)
{
    WebWindow& window = *static_cast<WebWindow*>(userData);
    EmscriptenGamepadEvent pad;
    if (!firstStandardPad(pad)) {
        reader.reset();
        polling = false;
        return EM_FALSE; // no pad: no polling until one connects
    }
    std::array<PadCommand, 4> commands;
    const std::size_t n = reader.poll(snapshotOf(pad), window.model(), commands);
    for (std::size_t i = 0; i < n; ++i) {
        send(window, commands[i]);
    }
    return EM_TRUE;
}

void startPolling(void* window)
{
    if (!polling) {
        polling = true;
        emscripten_request_animation_frame_loop(onFrame, window);
    }
}

EM_BOOL onConnected(int, const EmscriptenGamepadEvent*, void* window)
{
    startPolling(window);
    return EM_FALSE;
}

} // namespace

void listenToGamepads(WebWindow& window)
{
    emscripten_set_gamepadconnected_callback(&window, EM_FALSE, onConnected);
    startPolling(&window); // a pad the browser already knows sends no event
}

} // namespace worm
