// Page: the elements of the game's web page that the front end drives, and nothing else.
#pragma once

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

    // The score line, in the tab's title and above the board.
    void setScoreLine(const std::string& text);

    // A button over the canvas at a rectangle in device pixels, its caption in fontPoints.
    void placeButton(Button b, const PixelRect& box, double fontPoints, bool visible);

    void showError(const std::string& text);

    // The touch bar's "swipe to start" line, shown until the worm has a heading.
    void showHint(bool shown);
    // Words for a screen reader's polite live region: said once, when they change.
    void announce(const std::string& words);
    // Whether one of the page's buttons has the keyboard focus, so Enter and Space are its own.
    bool buttonHasFocus() const;

private:
    bool hintShown_ = true;
};

} // namespace worm
