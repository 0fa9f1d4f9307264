// Page: the canvas, score line, buttons and error line of index.html, reached through small EM_JS
// calls that keep the elements they need in worm.js's own scope.
#include "window/web/page.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <array>
#include <cmath>

#include "window/form_design.h"

// clang-format off
EM_JS(void, worm_page_open, (const char* family, const char* pause, const char* gameover), {
    var byId = function(id) { return document.getElementById(id); };
    var page = {
        board : byId('board'), stage : byId('stage'), score : byId('score'), hint : byId('hint'),
        said : byId('said'), buttons : [ byId('pause'), byId('gameover') ]
    };
    // The board is opaque: no blending with the page behind it.
    page.context = page.board.getContext('2d', {alpha : false});
    // A new board shows neither button: each takes its caption and font when first shown, work
    // the first board need not wait for.
    page.captions = [ UTF8ToString(pause), UTF8ToString(gameover) ];
    page.family = UTF8ToString(family) + ', sans-serif';
    Module.wormPage = page;
});
// CSS lengths are written with toPrecision, whose text, unlike a plain number's, never goes into
// V8's cache of number strings: the first two numbers to share a slot grow it to 64 KiB. 17
// digits give back the very same number.
EM_JS(void, worm_page_size_canvas, (int width, int height, double dpr), {
    var board = Module.wormPage.board;
    board.width = width;
    board.height = height;
    board.style.width = (width / dpr).toPrecision(17) + 'px';
    board.style.height = (height / dpr).toPrecision(17) + 'px';
});
EM_JS(void, worm_page_score_line, (const char* text), {
    var line = UTF8ToString(text);
    document.title = line;
    Module.wormPage.score.textContent = line;
});
EM_JS(void, worm_page_place_button, (int which, double x, double y, double w, double h, double points, int visible), {
    var page = Module.wormPage;
    var button = page.buttons[which];
    var style = button.style;
    if (visible) { // a hidden button's box is placed when it shows
        if (!button.textContent) {
            button.textContent = page.captions[which];
            style.fontFamily = page.family;
            style.fontWeight = 'bold';
        }
        style.left = x.toPrecision(17) + 'px';
        style.top = y.toPrecision(17) + 'px';
        style.width = w.toPrecision(17) + 'px';
        style.height = h.toPrecision(17) + 'px';
        style.fontSize = points.toPrecision(17) + 'pt';
    }
    // A focused button that hides gives the keyboard back to the board, as on the desktop.
    if (!visible && document.activeElement === button) page.board.focus();
    button.hidden = !visible;
});
// The stage's size in CSS pixels, width then height.
EM_JS(void, worm_page_stage_size, (double* size), {
    var box = Module.wormPage.stage.getBoundingClientRect();
    HEAPF64[size >> 3] = box.width;
    HEAPF64[(size >> 3) + 1] = box.height;
});
// The boot script writes the error line, the first failure only, whoever finds it.
EM_JS(void, worm_page_error, (const char* text), {
    var line = UTF8ToString(text);
    Module.say(line);
    console.error(line);
});
EM_JS(void, worm_page_hint, (int shown), { Module.wormPage.hint.hidden = !shown; });
// Two live regions take turns: the words go into the empty one and the other is emptied. Screen
// readers speak text added to a live region, but many say nothing when a region's text is set to
// what it already was, so a second "Paused" in one region would go unheard. Turns need no timer,
// which a hidden page would hold back.
EM_JS(void, worm_page_announce, (const char* words), {
    var regions = Module.wormPage.said.querySelectorAll('[aria-live]');
    var next = regions[0].textContent ? 1 : 0;
    regions[1 - next].textContent = "";
    regions[next].textContent = UTF8ToString(words);
});
EM_JS(int, worm_page_button_focused, (), {
    var focused = document.activeElement;
    return focused !== null && focused.tagName === 'BUTTON';
});
// clang-format on

namespace worm {

Page::Page() { worm_page_open(design::buttonFontFamily, design::pause.caption, design::gameover.caption); }

double Page::devicePixelRatio() const { return emscripten_get_device_pixel_ratio(); }

DeviceSize Page::fitCanvas()
{
    std::array<double, 2> css{};
    worm_page_stage_size(css.data());
    const double dpr = devicePixelRatio();
    const DeviceSize size{std::max(1, static_cast<int>(std::floor(css[0] * dpr))),
                          std::max(1, static_cast<int>(std::floor(css[1] * dpr)))};
    worm_page_size_canvas(size.width, size.height, dpr);
    return size;
}

void Page::setScoreLine(const std::string& text) { worm_page_score_line(text.c_str()); }

void Page::placeButton(Button b, const PixelRect& box, double fontPoints, bool visible)
{
    const double dpr = devicePixelRatio();
    worm_page_place_button(b == Button::pause ? 0 : 1, box.x / dpr, box.y / dpr, box.width / dpr,
                           box.height / dpr, fontPoints, visible ? 1 : 0);
}

void Page::showError(const std::string& text) { worm_page_error(text.c_str()); }

void Page::showHint(bool shown)
{
    if (shown != hintShown_) {
        hintShown_ = shown;
        worm_page_hint(shown ? 1 : 0);
    }
}

void Page::announce(const std::string& words) { worm_page_announce(words.c_str()); }

bool Page::buttonHasFocus() const { return worm_page_button_focused() != 0; }

} // namespace worm
