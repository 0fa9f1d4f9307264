// listenToPage: every key reaches the game wherever the focus is, and the buttons never take it.
#include "window/web/page_events.h"

#include <emscripten/html5.h>

namespace worm {
namespace {

WebWindow& windowOf(void* userData) { return *static_cast<WebWindow*>(userData); }

// The arrows and the space bar would scroll the page and Tab would carry the focus out of it;
// every other key keeps its meaning to the browser as well.
bool keptFromTheBrowser(unsigned long keyCode)
{
    return keyCode == 9 || keyCode == 32 || (keyCode >= 37 && keyCode <= 40);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void* userData)
{
    // Auto-repeats are presses like any other.
    windowOf(userData).keyDown(static_cast<std::int16_t>(e->keyCode));
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
    emscripten_set_mousedown_callback("#pause", w, EM_FALSE, keepFocus);
    emscripten_set_mousedown_callback("#gameover", w, EM_FALSE, keepFocus);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, w, EM_FALSE, onResize);
    emscripten_set_visibilitychange_callback(w, EM_FALSE, onVisibilityChange);
}

} // namespace worm
