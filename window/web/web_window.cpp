// WebWindow: handlers run to completion, then title, timer, buttons and changed cells follow.
#include "window/web/web_window.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include "window/form_design.h"
#include "window/handlers.h"

namespace worm {
namespace {

// CSS pixels are a 96th of an inch whatever the screen, so a twip is always a 15th of one.
constexpr double twipsPerCssPixel = design::twipsPerInch / 96;

} // namespace

WebWindow::WebWindow(std::unique_ptr<RandomSource> random) : session_(std::move(random), twipsPerCssPixel) {}

void WebWindow::start()
{
    handle([this] { session_.load(); });
}

void WebWindow::keyDown(std::int16_t keyCode)
{
    handle([this, keyCode] { session_.keyDown(keyCode); });
}

void WebWindow::pauseClicked()
{
    handle([this] { session_.pauseClicked(); });
}

void WebWindow::gameoverClicked()
{
    handle([this] { session_.gameoverClicked(); });
}

void WebWindow::sendKey(std::optional<std::int16_t> keyCode)
{
    if (keyCode) {
        keyDown(*keyCode);
    }
}

template <typename Event> void WebWindow::handle(Event&& event)
{
    if (mirror_.run(event, [this](const char* what) { fail(what); })) {
        sync();
    }
}

// The desktop program ends here; a page cannot, so it stops and says why.
void WebWindow::fail(const char* what)
{
    disarm();
    page_.showError(std::string("worm: ") + what);
}

void WebWindow::sync()
{
    const FormModel& form = session_.form();
    if (const std::string* title = mirror_.newTitle(form)) {
        page_.setScoreLine(*title);
    }
    if (const auto interval = mirror_.newInterval(form)) {
        disarm();
        if (*interval != 0) {
            clock_.start(emscripten_get_now(), *interval);
            arm();
        }
    }
    if (form.damage().everything()) {
        relayout(); // a new board: the canvas and the buttons follow its layout
    }
    syncButtons();
    repaintDamage();
    page_.showHint(session_.state().direction.empty());
    if (const std::string words = announcer_.after(session_); !words.empty()) {
        page_.announce(words);
    }
}

void WebWindow::arm()
{
    timeout_ = emscripten_set_timeout(&WebWindow::timerWentOff, clock_.delay(emscripten_get_now()), this);
}

void WebWindow::disarm()
{
    if (timeout_ != 0) {
        emscripten_clear_timeout(timeout_);
        timeout_ = 0;
    }
}

void WebWindow::timerWentOff(void* window) { static_cast<WebWindow*>(window)->timerFired(); }

// One tick per period at most; the clock says whether this timer brought one.
void WebWindow::timerFired()
{
    timeout_ = 0;
    if (mirror_.failed() || mirror_.interval() == 0) {
        return;
    }
    if (clock_.fire(emscripten_get_now())) {
        handle([this] { session_.tick(); });
    }
    if (!mirror_.failed() && mirror_.interval() != 0 && timeout_ == 0) {
        arm();
    }
}

// A hidden page gets a timer a second at best: the worm would crawl on unseen and die there.
void WebWindow::hidden()
{
    if (session_.ticking()) {
        keyDown(keys::p);
    }
}

void WebWindow::shownAgain()
{
    if (timeout_ != 0) {
        disarm();
        arm(); // a held-back timer would come late: the tick due next comes on time
    }
}

void WebWindow::resized()
{
    if (mirror_.failed() || !session_.form().loaded()) {
        return;
    }
    relayout();
    syncButtons();
    repaintDamage();
}

void WebWindow::relayout()
{
    canvasSize_ = page_.fitCanvas();
    layout_ = BoardLayout(session_.form(), canvasSize_.width, canvasSize_.height);
    mirror_.layoutChanged();
    session_.form().damage().markEverything(); // resizing the canvas cleared it
}

// The buttons scale with the board, caption included, so Game Over stays centred on it.
void WebWindow::syncButtons()
{
    const FormModel& form = session_.form();
    for (const Button b : {Button::pause, Button::gameover}) {
        if (mirror_.buttonDue(form, b)) { // seldom: the font is worked out only then
            const ButtonRecord& r = form.button(b);
            page_.placeButton(b, layout_.rect(r.left, r.top, r.width, r.height),
                              buttonFontPoints(form, layout_, page_.devicePixelRatio()), r.visible);
        }
    }
}

void WebWindow::repaintDamage()
{
    Damage& damage = session_.form().damage();
    if (damage.everything()) {
        canvas_.paintAll(session_.form(), layout_, canvasSize_.width, canvasSize_.height);
    } else {
        canvas_.paintCells(session_.form(), layout_, damage.cells());
    }
    damage.clear();
}

} // namespace worm
