// listenToPage: keys reach the game wherever the focus is, except those the browser or a focused
// button needs; Tab walks the focus round the page's own stops; the buttons never take the focus
// from a pointer.
#include "window/web/page_events.h"

#include <emscripten/emscripten.h>

#include <cstdint>

#include "window/handlers.h"
#include "window/web/finger_events.h"

// The page's listeners call straight into the module: one small function each, where emscripten's
// generic event glue would copy every event into memory and keep its own table of handlers. A
// handler's true refuses the event's default.
// clang-format off
EM_JS(void, worm_listen_to_page, (), {
    addEventListener('keydown', function (e) {
        if (_worm_key_down(e.keyCode, e.altKey || e.ctrlKey || e.metaKey, e.shiftKey)) e.preventDefault();
    });
    ['pause', 'gameover', 'pausekey'].forEach(function (id, which) {
        var button = document.getElementById(id);
        button.addEventListener('click', function (e) { e.preventDefault(); _worm_button_clicked(which); });
        // Refusing the press's default keeps the focus off the button, so keys still reach the game.
        button.addEventListener('mousedown', function (e) { e.preventDefault(); });
    });
    addEventListener('resize', function () { _worm_page_resized(); });
    document.addEventListener('visibilitychange', function () { _worm_page_shown(!document.hidden); });
});
// The focus walks the board, then Pause, Game Over and the touch bar's pause control, those that
// show, and round again: the browser's own walk would leave the page for its toolbar, taking every
// later key away from the game. From no focus at all it walks as from the board.
EM_JS(void, worm_focus_next, (bool backwards), {
    var stops = ['board', 'pause', 'gameover', 'pausekey'].map(function (id) { return document.getElementById(id); })
        .filter(function (e) { return e.getClientRects().length > 0; });
    var at = Math.max(0, stops.indexOf(document.activeElement));
    stops[(at + (backwards ? stops.length - 1 : 1)) % stops.length].focus();
});
// clang-format on

namespace worm {
namespace {

constexpr unsigned long tab = 9, enter = 13, space = keys::space;

WebWindow* listening = nullptr;

// The arrows and the space bar would scroll the page; every other key keeps its meaning to the
// browser as well, but Tab, whose move the page makes itself.
bool keptFromTheBrowser(unsigned long keyCode)
{
    return keyCode == space || (keyCode >= 37 && keyCode <= 40);
}

} // namespace

// Whether the key is kept from the browser.
extern "C" EMSCRIPTEN_KEEPALIVE bool worm_key_down(unsigned long keyCode, bool withModifier, bool shift)
{
    if (withModifier) {
        return false; // Alt+← is Back, Ctrl+R reloads: the browser's, never the game's
    }
    if ((keyCode == enter || keyCode == space) && listening->buttonHasFocus()) {
        return false; // the focused button clicks itself
    }
    // Auto-repeats are presses like any other.
    listening->keyDown(static_cast<std::int16_t>(keyCode));
    if (keyCode == tab) {
        worm_focus_next(shift); // after the key: it may have hidden a button
        return true;
    }
    return keptFromTheBrowser(keyCode);
}

// Pause, Game Over, and the touch bar's pause control, which is the P key.
extern "C" EMSCRIPTEN_KEEPALIVE void worm_button_clicked(int which)
{
    if (which == 0) {
        listening->pauseClicked();
    } else if (which == 1) {
        listening->gameoverClicked();
    } else {
        listening->keyDown(keys::p);
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE void worm_page_resized() { listening->resized(); }

extern "C" EMSCRIPTEN_KEEPALIVE void worm_page_shown(bool shown)
{
    if (shown) {
        listening->shownAgain();
    } else {
        listening->hidden();
    }
}

void listenToPage(WebWindow& window)
{
    listening = &window;
    worm_listen_to_page();
    listenToFingers(window);
}

} // namespace worm
