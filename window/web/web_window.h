// WebWindow: the game window in a web page; each event runs its handler, then the page mirrors
// the model.
#pragma once

#include <cstdint>
#include <memory>

#include "window/announcer.h"
#include "window/board_layout.h"
#include "window/game_session.h"
#include "window/input/swipe_reader.h"
#include "window/model_mirror.h"
#include "window/web/board_canvas.h"
#include "window/web/page.h"
#include "window/web/tick_clock.h"

namespace worm {

class WebWindow {
public:
    explicit WebWindow(std::unique_ptr<RandomSource> random);
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // Loads the first board.
    void start();

    // The page's events.
    void keyDown(std::int16_t keyCode);
    void pauseClicked();
    void gameoverClicked();
    void resized();    // the stage's size or the device pixel ratio changed
    void hidden();     // the page went out of sight: it pauses, as P would
    void shownAgain(); // the tab is visible again after the browser held its timers back

    // A finger on the board: a swipe steers, a tap is a key that only resumes.
    void fingerDown(FingerPoint at) { swipe_.press(at); }
    void fingerMoved(FingerPoint at) { sendKey(swipe_.move(at)); }
    void fingerUp(FingerPoint at) { sendKey(swipe_.lift(at)); }
    void fingerLost() { swipe_.cancel(); }

    // The window model, for readers of input that need to know which buttons show.
    const FormModel& model() const { return session_.form(); }

    // Whether Enter and Space belong to a focused button rather than to the game.
    bool buttonHasFocus() const { return page_.buttonHasFocus(); }

private:
    static void timerWentOff(void* window);
    void timerFired();
    template <typename Event> void handle(Event&& event);
    void fail(const char* what);
    void sendKey(std::optional<std::int16_t> keyCode);
    void sync();
    void syncButtons();
    void relayout();
    void repaintDamage();
    void arm();
    void disarm();

    GameSession session_;
    Page page_;
    BoardCanvas canvas_;
    BoardLayout layout_;
    DeviceSize canvasSize_;
    TickClock clock_;
    long timeout_ = 0; // the pending browser timer, 0 for none
    ModelMirror mirror_;
    SwipeReader swipe_;
    Announcer announcer_;
};

} // namespace worm
