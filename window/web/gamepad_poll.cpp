// listenToGamepads: the browser has no gamepad events for buttons, so a pad is polled each
// frame, and only while one is connected; the reader turns what changed into the game's events.
#include "window/web/gamepad_poll.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <array>

#include "window/input/gamepad_reader.h"

// The first connected standard pad's 17 buttons and left stick, copied into pressed and stick;
// false if there is none. Only these: a pad may report any number of buttons and axes (button
// boxes, flight sticks), and a copy of them all would not fit any fixed buffer.
// clang-format off
EM_JS(bool, worm_read_standard_pad, (bool* pressed, double* stick), {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (var i = 0; i < pads.length; ++i) {
        var pad = pads[i];
        if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
        for (var b = 0; b < 17; ++b) {
            var button = pad.buttons[b];
            HEAPU8[pressed + b] = button !== undefined && (button.pressed || button === 1) ? 1 : 0;
        }
        HEAPF64[stick >> 3] = pad.axes.length > 0 ? pad.axes[0] : 0;
        HEAPF64[(stick >> 3) + 1] = pad.axes.length > 1 ? pad.axes[1] : 0;
        return true;
    }
    return false;
});
// A pad that connects wakes the polling; what the event carries is read on the next frame.
EM_JS(void, worm_listen_for_pads, (), {
    addEventListener('gamepadconnected', function () { _worm_pad_connected(); });
});
// clang-format on

namespace worm {
namespace {

GamepadReader reader;
WebWindow* padWindow = nullptr;
bool polling = false;

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

EM_BOOL onFrame(double, void*)
{
    PadSnapshot pad;
    std::array<double, 2> stick{};
    if (!worm_read_standard_pad(pad.pressed.data(), stick.data())) {
        reader.reset();
        polling = false;
        return EM_FALSE; // no pad: no polling until one connects
    }
    pad.stickX = stick[0];
    pad.stickY = stick[1];
    std::array<PadCommand, 4> commands;
    const std::size_t n = reader.poll(pad, padWindow->model(), commands);
    for (std::size_t i = 0; i < n; ++i) {
        send(*padWindow, commands[i]);
    }
    return EM_TRUE;
}

void startPolling()
{
    if (!polling) {
        polling = true;
        emscripten_request_animation_frame_loop(onFrame, nullptr);
    }
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void worm_pad_connected() { startPolling(); }

void listenToGamepads(WebWindow& window)
{
    padWindow = &window;
    worm_listen_for_pads();
    startPolling(); // a pad the browser already knows sends no event
}

} // namespace worm
