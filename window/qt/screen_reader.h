// What a screen reader finds in the game window: the board as a named image that takes the
// keyboard focus, and the words said when something the player cannot see happens.
#pragma once

#include <QWidget>

#include <string>

namespace worm {

// The window's focus proxy, so the focus a screen reader hears is the board's, not a blank
// window's. It has no size and paints nothing: the window draws the board and takes its keys,
// which this widget passes on unhandled.
class BoardElement final : public QWidget {
public:
    explicit BoardElement(QWidget* window);
};

// A hidden notification: Qt 6.4 has no announcement event, and Orca speaks a notification's
// name each time it is shown, the same words again included.
class SpokenWords final : public QWidget {
public:
    explicit SpokenWords(QWidget* window);
    void say(const std::string& words);
};

} // namespace worm
