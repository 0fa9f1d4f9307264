// GameWindow: the top-level Qt window that feeds events to the game and draws its model.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QTouchEvent;

#include <memory>

#include "window/announcer.h"
#include "window/board_layout.h"
#include "window/game_session.h"
#include "window/input/swipe_reader.h"
#include "window/model_mirror.h"
#include "window/qt/board_painter.h"
#include "window/qt/gamepads.h"
#include "window/qt/window_gone.h"

namespace worm {

class CaptionButton;
class SpokenWords;

class GameWindow final : public QWidget {
    Q_OBJECT
public:
    GameWindow(std::unique_ptr<RandomSource> random, double twipsPerPixel);

    // Loads the first board; false if that failed and the program must end.
    bool start();
    // Reads gamepads from now on, once a frame of the window's screen while any is attached.
    void watchPads();
    Gamepads& pads() { return pads_; }

    const GameSession& session() const { return session_; }
    GameSession& session() { return session_; } // for tests that stage a state
    bool timerRunning() const { return timer_.isActive(); }
    // Made on first use, here as when the game first shows them.
    CaptionButton* pauseButton() { return button(Button::pause); }
    CaptionButton* gameoverButton() { return button(Button::gameover); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    template <typename Event> void handle(Event&& event);
    void padCommand(const PadCommand& command);
    bool touch(QTouchEvent* event);
    void fail(const char* what);
    void sync();
    void syncButtons();
    CaptionButton* button(Button b);
    void placeButton(CaptionButton* widget, Button b);
    void focusAnother(bool next);
    void addBoardElement();
    void repaintDamage();
    void relayout();

    GameSession session_;
    QTimer timer_;
    CaptionButton* pause_ = nullptr;
    CaptionButton* gameover_ = nullptr;
    BoardLayout layout_;
    BoardPainter board_;
    qreal layoutRatio_ = 0; // the device pixel ratio layout_ was made for
    WindowGone gone_;
    Gamepads pads_;
    SwipeReader swipe_;
    int finger_ = -1; // the touch point being read; a second finger is ignored
    ModelMirror mirror_;
    Announcer announcer_;
    SpokenWords* spoken_ = nullptr;
    bool sized_ = false;
};

} // namespace worm
