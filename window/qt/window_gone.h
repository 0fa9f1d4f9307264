// WindowGone: ends the program when another X client destroys the game window under it.
#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

namespace worm {

// An X window destroyed from outside (XDestroyWindow, `xdotool windowclose`) sends no close
// event: without this the program would run on with nothing on screen for the player to close.
class WindowGone final : public QAbstractNativeEventFilter {
public:
    explicit WindowGone(const QWidget& window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
};

} // namespace worm
