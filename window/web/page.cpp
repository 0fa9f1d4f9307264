// Page: the canvas, score line, buttons and error line of index.html, reached through embind.
#include "window/web/page.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "window/form_design.h"

// Two live regions take turns: the words go into the empty one and the other is emptied. Screen
// readers speak text added to a live region, but many say nothing when a region's text is set to
// what it already was, so a second "Paused" in one region would go unheard. Turns need no timer,
// which a hidden page would hold back.
// clang-format off
EM_JS(void, worm_say, (const char* words), {
    var regions = document.querySelectorAll('#said [aria-live]');
    var next = regions[0].textContent ? 1 : 0;
    regions[1 - next].textContent = "";
    regions[next].textContent = UTF8ToString(words);
});
// clang-format on

namespace worm {
namespace {

using emscripten::val;

val element(const char* id) { return val::global("document").call<val>("getElementById", std::string(id)); }

val openContext(const val& canvas)
{
    val options = val::object();
    options.set("alpha", false); // the board is opaque: no blending with the page behind it
    return canvas.call<val>("getContext", std::string("2d"), options);
}

std::string pixels(double css) { return std::to_string(css) + "px"; }

void setCaption(val& button, const design::ButtonDesign& d)
{
    button.set("textContent", std::string(d.caption));
    val style = button["style"];
    style.set("fontFamily", std::string(design::buttonFontFamily) + ", sans-serif");
    style.set("fontWeight", std::string("bold"));
}

} // namespace

Page::Page()
    : canvas_(element("board")), context_(openContext(canvas_)), scoreLine_(element("score")),
      pause_(element("pause")), gameover_(element("gameover")), error_(element("error")),
      hint_(element("hint"))
{
    setCaption(pause_, design::pause);
    setCaption(gameover_, design::gameover);
}

double Page::devicePixelRatio() const { return emscripten_get_device_pixel_ratio(); }

DeviceSize Page::fitCanvas()
{
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size("#stage", &cssWidth, &cssHeight);
    const double dpr = devicePixelRatio();
    const DeviceSize size{std::max(1, static_cast<int>(std::floor(cssWidth * dpr))),
                          std::max(1, static_cast<int>(std::floor(cssHeight * dpr)))};
    canvas_.set("width", size.width);
    canvas_.set("height", size.height);
    val style = canvas_["style"];
    style.set("width", pixels(size.width / dpr));
    style.set("height", pixels(size.height / dpr));
    return size;
}

void Page::setScoreLine(const std::string& text)
{
    emscripten_set_window_title(text.c_str());
    scoreLine_.set("textContent", text);
}

void Page::placeButton(Button b, const PixelRect& box, double fontPoints, bool visible)
{
    const double dpr = devicePixelRatio();
    val& widget = button(b);
    val style = widget["style"];
    style.set("left", pixels(box.x / dpr));
    style.set("top", pixels(box.y / dpr));
    style.set("width", pixels(box.width / dpr));
    style.set("height", pixels(box.height / dpr));
    style.set("fontSize", std::to_string(fontPoints) + "pt");
    widget.set("hidden", !visible);
}

void Page::showError(const std::string& text)
{
    error_.set("textContent", text);
    error_.set("hidden", false);
    val::global("console").call<void>("error", text);
}

void Page::showHint(bool shown)
{
    if (shown != hintShown_) {
        hintShown_ = shown;
        hint_.set("hidden", !shown);
    }
}

void Page::announce(const std::string& words) { worm_say(words.c_str()); }

bool Page::buttonHasFocus() const
{
    const val focused = val::global("document")["activeElement"];
    return !focused.isNull() && focused["tagName"].as<std::string>() == "BUTTON";
}

} // namespace worm
