// WebWindow: the game window in a web page; each event runs its handler, then the page mirrors
// the model.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "window/board_layout.h"
#include "window/game_session.h"
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
    void shownAgain(); // the tab is visible again after the browser held its timers back

private:
    static void timerWentOff(void* window);
    void timerFired();
    template <typename Event> void handle(Event&& event);
    void fail(const char* what);
    void sync();
    void syncTimer();
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
    std::string appliedTitle_;
    std::int32_t appliedInterval_ = 0;
    std::array<ButtonRecord, 2> appliedButtons_{};
    bool buttonsPlaced_ = false;
    bool failed_ = false;
};

} // namespace worm
