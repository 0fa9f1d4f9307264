// WindowGone: watches the X connection for the destruction of the game window's own X window.
#include "window/qt/window_gone.h"

#include <QCoreApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace worm {

bool WindowGone::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) {
        return false;
    }
    // The toolkit's own destruction of a window it is replacing arrives after the widget has
    // moved on to the new one, so only the window still in use counts.
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (window_.internalWinId() != 0 && destroyed->window == window_.internalWinId()) {
        QCoreApplication::quit(); // as a close would: the player asked for the window to go
    }
    return false;
}

} // namespace worm
