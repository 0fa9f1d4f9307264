// listenToFingers: one finger steers, through the window's SwipeReader. A swipe may start anywhere
// on the page outside a button, so that a thumb below the board steers without hiding it; a
// mouse never steers. Browsers may drop a finger's end (the page hidden, the app left mid-touch),
// so a steering finger is also forgotten as soon as it cannot be on the glass any more.
#include "window/web/finger_events.h"

#include <emscripten/emscripten.h>

// Pointer Events rather than Touch Events: every browser makes them, so one path serves all. A
// press on a button stays its click; every other touch's default is refused, so that no mouse
// event follows it to move the focus. The phases are worm_finger's.
// clang-format off
EM_JS(void, worm_listen_to_pointers, (), {
    var send = function (phase, e, onButton) {
        _worm_finger(phase, e.pointerId, e.isPrimary, onButton, e.clientX, e.clientY, e.timeStamp);
    };
    var finger = function (e) { return e.pointerType === 'touch' || e.pointerType === 'pen'; };
    document.addEventListener('pointerdown', function (e) {
        if (!finger(e)) return;
        var onButton = e.target.closest('button') !== null;
        if (!onButton) e.preventDefault();
        send(0, e, onButton);
    });
    var phases = { pointermove: 1, pointerup: 2, pointercancel: 3 };
    Object.keys(phases).forEach(function (type) {
        document.addEventListener(type, function (e) { if (finger(e)) send(phases[type], e, false); });
    });
    document.addEventListener('visibilitychange', function () {
        if (document.hidden) _worm_finger(4, -1, false, false, 0, 0, 0);
    });
});
// clang-format on

namespace worm {
namespace {

enum Phase : int { down = 0, moved = 1, up = 2, lost = 3, hiddenPage = 4 };

WebWindow* steered = nullptr;
// The finger that steers: the first one down; others that join it are ignored. -1 for none.
long steeringFinger = -1;

void forgetFinger()
{
    if (steeringFinger != -1) {
        steeringFinger = -1;
        steered->fingerLost();
    }
}

} // namespace

void listenToFingers(WebWindow& window)
{
    steered = &window;
    worm_listen_to_pointers();
}

// Called by the page's pointer listeners for each touch or pen pointer's event.
extern "C" EMSCRIPTEN_KEEPALIVE void worm_finger(int phase, int id, bool primary, bool onButton, double x,
                                                 double y, double ms)
{
    const FingerPoint at{x, y, ms};
    if (phase == hiddenPage || (phase == down && primary)) {
        forgetFinger(); // a primary pointer comes down only when no other finger is on the glass
    }
    if (phase == down && steeringFinger == -1 && !onButton) {
        steeringFinger = id;
        steered->fingerDown(at);
    } else if (id == steeringFinger && phase == moved) {
        steered->fingerMoved(at);
    } else if (id == steeringFinger && phase == up) {
        steeringFinger = -1;
        steered->fingerUp(at);
    } else if (id == steeringFinger && phase == lost) {
        forgetFinger();
    }
}

} // namespace worm
