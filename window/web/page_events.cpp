// listenToPage: keys reach the game wherever the focus is, except those the browser or a focused
// button needs; Tab walks the focus round the page's own stops; the buttons never take the focus
// from a pointer.
#include "window/web/page_events.h"

#include <emscripten/html5.h>

#include "window/handlers.h"
#include "window/web/finger_events.h"

// The focus walks the board, then Pause, Game Over and the touch bar's pause control, those that
// show, and round again: the browser's own walk would leave the page for its toolbar, taking every
// later key away from the game. From no focus at all it walks as from the board.
// clang-format off
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

WebWindow& windowOf(void* userData) { return *static_cast<WebWindow*>(userData); }

// The arrows and the space bar would scroll the page; every other key keeps its meaning to the
// browser as well, but Tab, whose move the page makes itself.
bool keptFromTheBrowser(unsigned long keyCode)
{
    return keyCode == space || (keyCode >= 37 && keyCode <= 40);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void* userData)
{
    if (e->altKey || e->ctrlKey || e->metaKey) {
        return EM_FALSE; // Alt+← is Back, Ctrl+R reloads: the browser's, never the game's
    }
    WebWindow& window = windowOf(userData);
    if ((e->keyCode == enter || e->keyCode == space) && window.buttonHasFocus()) {
        return EM_FALSE; // the focused button clicks itself
    }
    // Auto-repeats are presses like any other.
    window.keyDown(static_cast<std::int16_t>(e->keyCode));
    if (e->keyCode == tab) {
        worm_focus_next(e->shiftKey != EM_FALSE); // after the key: it may have hidden a button
        return EM_TRUE;
    }
    return keptFromTheBrowser(e->keyCode) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onPauseClick(int, const EmscriptenMouseEvent*, void* userData)
{
    windowOf(userData).pauseClicked();
    return EM_TRUE;
}

EM_BOOL onGameoverClick(int, const EmscriptenMouseEvent*, void* userData)
{
    windowOf(userData).gameoverClicked();
    return EM_TRUE;
}

// The touch bar's pause control is the P key.
EM_BOOL onPauseKeyClick(int, const EmscriptenMouseEvent*, void* userData)
{
    windowOf(userData).keyDown(keys::p);
    return EM_TRUE;
}

// Refusing the press's default keeps the focus off the button, so keys still reach the game.
EM_BOOL keepFocus(int, const EmscriptenMouseEvent*, void*) { return EM_TRUE; }

EM_BOOL onResize(int, const EmscriptenUiEvent*, void* userData)
{
    windowOf(userData).resized();
    return EM_FALSE;
}

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* e, void* userData)
{
    if (e->hidden == EM_FALSE) {
        windowOf(userData).shownAgain();
    } else {
        windowOf(userData).hidden();
    }
    return EM_FALSE;
}

} // namespace

void listenToPage(WebWindow& window)
{
    void* w = &window;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, w, EM_FALSE, onKeyDown);
    emscripten_set_click_callback("#pause", w, EM_FALSE, onPauseClick);
    emscripten_set_click_callback("#gameover", w, EM_FALSE, onGameoverClick);
    emscripten_set_click_callback("#pausekey", w, EM_FALSE, onPauseKeyClick);
    for (const char* button : {"#pause", "#gameover", "#pausekey"}) {
        emscripten_set_mousedown_callback(button, w, EM_FALSE, keepFocus);
    }
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, w, EM_FALSE, onResize);
    emscripten_set_visibilitychange_callback(w, EM_FALSE, onVisibilityChange);
    listenToFingers(window);
}

} // namespace worm
