// Page: the elements of the game's web page that the front end drives, and nothing else.
#pragma once

#include <emscripten/val.h>

#include <string>

#include "rules/form.h"
#include "window/board_layout.h"

namespace worm {

struct DeviceSize {
    int width = 0, height = 0;
};

class Page {
public:
    Page();

    double devicePixelRatio() const;

    // Gives the canvas a backing store of whole device pixels that fills the stage below the
    // score line, shown at exactly one device pixel per store pixel; clears it.
    DeviceSize fitCanvas();
    emscripten::val context() const { return context_; }

    // The score line, in the tab's title and above the board.
    void setScoreLine(const std::string& text);

    // A button over the canvas at a rectangle in device pixels, its caption in fontPoints.
    void placeButton(Button b, const PixelRect& box, double fontPoints, bool visible);

    void showError(const std::string& text);

    // The touch bar's "swipe to start" line, shown until the worm has a heading.
    void showHint(bool shown);
    // Words for a screen reader's polite live region, heard each time, the same words again too.
    void announce(const std::string& words);
    // Whether one of the page's buttons has the keyboard focus, so Enter and Space are its own.
    bool buttonHasFocus() const;

private:
    emscripten::val& button(Button b) { return b == Button::pause ? pause_ : gameover_; }

    emscripten::val canvas_;
    emscripten::val context_;
    emscripten::val scoreLine_;
    emscripten::val pause_;
    emscripten::val gameover_;
    emscripten::val error_;
    emscripten::val hint_;
    bool hintShown_ = true;
};

} // namespace worm
