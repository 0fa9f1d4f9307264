// GameWindow: every event runs its handler to completion, then the window mirrors the model.
#include "window/qt/game_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTouchEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "window/form_design.h"
#include "window/qt/board_geometry.h"
#include "window/qt/board_painter.h"
#include "window/qt/caption_button.h"
#include "window/qt/qt_keys.h"
#include "window/qt/screen_reader.h"

namespace worm {

GameWindow::GameWindow(std::unique_ptr<RandomSource> random, double twipsPerPixel)
    : session_(std::move(random), twipsPerPixel), gone_(*this),
      pads_(session_, [this](const PadCommand& command) { padCommand(command); })
{
    QCoreApplication::instance()->installNativeEventFilter(&gone_);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent); // the painter covers every pixel itself
    setAttribute(Qt::WA_AcceptTouchEvents);
    timer_.setTimerType(Qt::PreciseTimer); // a coarse timer would let the 75 ms period wander
    connect(&timer_, &QTimer::timeout, this, [this] { handle([this] { session_.tick(); }); });
}

bool GameWindow::start()
{
    handle([this] { session_.load(); });
    return !mirror_.failed();
}

void GameWindow::watchPads()
{
    const qreal hz = screen()->refreshRate();
    pads_.setFrameInterval(
        static_cast<int>(std::ceil(1000 / (hz > 0 ? hz : 60)))); // never above the frame rate
    pads_.watch();
}

// A pad's press is a key or a click like any other: the game never learns it came from a pad.
void GameWindow::padCommand(const PadCommand& command)
{
    if (command.kind == PadCommand::Kind::key) {
        handle([this, code = command.keyCode] { session_.keyDown(code); });
    } else if (command.button == Button::pause) {
        handle([this] { session_.pauseClicked(); });
    } else {
        handle([this] { session_.gameoverClicked(); });
    }
}

template <typename Event> void GameWindow::handle(Event&& event)
{
    if (mirror_.run(event, [this](const char* what) { fail(what); })) {
        sync();
    }
}

// The game has no recovery of its own: report, stop, and end the program with a failure.
void GameWindow::fail(const char* what)
{
    std::fprintf(stderr, "worm: %s\n", what);
    std::fflush(stderr);
    timer_.stop();
    QCoreApplication::exit(EXIT_FAILURE);
}

void GameWindow::sync()
{
    const FormModel& form = session_.form();
    if (!sized_) {
        // Open at the size the board build asked for; later rebuilds keep the player's size.
        resize(static_cast<int>(std::lround(form.innerWidth() / form.twipsPerPixel())),
               static_cast<int>(std::lround(form.innerHeight() / form.twipsPerPixel())));
        sized_ = true;
    }
    if (const std::string* title = mirror_.newTitle(form)) {
        setWindowTitle(QString::fromStdString(*title));
    }
    if (const auto interval = mirror_.newInterval(form)) {
        if (*interval == 0) {
            timer_.stop();
        } else {
            timer_.start(*interval);
        }
    }
    if (form.damage().everything()) {
        relayout(); // a new board: the buttons are placed on its layout
    }
    syncButtons();
    repaintDamage();
    if (const std::string words = announcer_.after(session_); !words.empty()) {
        if (!spoken_) {
            spoken_ = new SpokenWords(this); // made when first needed, as the buttons are
        }
        spoken_->say(words);
    }
}

// A button is made only when first shown.
void GameWindow::syncButtons()
{
    for (const auto& [widget, b] :
         {std::pair{pause_, Button::pause}, std::pair{gameover_, Button::gameover}}) {
        const bool due = mirror_.buttonDue(session_.form(), b);
        if (widget ? due : session_.form().button(b).visible) {
            placeButton(button(b), b);
        }
    }
}

// Both buttons start hidden, and making them with the window cost its start some 4 ms and
// 400 KiB of resident memory: the push buttons' style, font and geometry.
CaptionButton* GameWindow::button(Button b)
{
    const bool pause = b == Button::pause;
    CaptionButton*& widget = pause ? pause_ : gameover_;
    if (!widget) {
        widget =
            new CaptionButton(QString::fromLatin1((pause ? design::pause : design::gameover).caption), this);
        connect(widget, &QPushButton::clicked, this, [this, pause] {
            handle([this, pause] { pause ? session_.pauseClicked() : session_.gameoverClicked(); });
        });
    }
    return widget;
}

// The buttons scale with the board, caption included, so Game Over stays centred on it at any
// window size.
void GameWindow::placeButton(CaptionButton* widget, Button b)
{
    const ButtonRecord& r = session_.form().button(b);
    const qreal dpr = devicePixelRatioF();
    widget->setGeometry(buttonBox(r, layout_, dpr));
    QFont font = widget->font();
    font.setPointSizeF(buttonFontPoints(session_.form(), layout_, dpr));
    if (font != widget->font()) {
        widget->setFont(font);
    }
    // focusWidget(), not hasFocus(): a window in the background keeps its focus widget, and a
    // button hidden there by a tick must not hold it when the window comes back.
    if (!r.visible && focusWidget() == widget) {
        setFocus(Qt::OtherFocusReason); // the keyboard goes back to the board, not to another button
    }
    widget->setVisible(r.visible);
}

void GameWindow::repaintDamage()
{
    Damage& damage = session_.form().damage();
    if (damage.everything()) {
        update();
    } else if (!damage.empty()) {
        update(damagedArea(session_.form(), layout_, devicePixelRatioF()));
    }
    damage.clear();
}

void GameWindow::relayout()
{
    mirror_.layoutChanged();
    layoutRatio_ = devicePixelRatioF();
    layout_ = fitBoard(session_.form(), size(), layoutRatio_);
}

// Keys a focused button passes on arrive here too.
void GameWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const std::int16_t code = virtualKeyCode(key); // auto-repeats count as presses
    handle([this, code] { session_.keyDown(code); });
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        focusAnother(key == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
    }
}

// The ring Tab walks, in the web page's order: the board, Pause, Game Over, each only while it
// shows, and round to the board again.
void GameWindow::focusAnother(bool next)
{
    const std::array<QWidget*, 3> ring{this, pause_, gameover_};
    const auto at = std::find(ring.begin(), ring.end(), focusWidget());
    std::size_t i = at == ring.end() ? 0 : static_cast<std::size_t>(at - ring.begin());
    do {
        i = (i + (next ? 1 : ring.size() - 1)) % ring.size();
    } while (i != 0 && !(ring[i] && ring[i]->isVisible()));
    ring[i]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void GameWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    board_.paint(painter, session_.form(), layout_, devicePixelRatioF(), event->region());
    if (!focusProxy()) {
        QMetaObject::invokeMethod(this, &GameWindow::addBoardElement, Qt::QueuedConnection);
    }
}

// What a screen reader hears take the focus is the board. Made once the first board is drawn:
// showing it brings up Qt's accessibility bridge, which asks the session bus (or starts one), and
// the window would wait for that, some 5 ms here, before it is even mapped.
void GameWindow::addBoardElement()
{
    if (!focusProxy()) {
        auto* element = new BoardElement(this);
        setFocusProxy(element); // the focus the window holds moves to it
        element->show();
    }
}

void GameWindow::resizeEvent(QResizeEvent*)
{
    relayout();
    syncButtons();
    update();
}

// Moved to a screen of another scale: the same logical size holds other device pixels.
bool GameWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touch(static_cast<QTouchEvent*>(event));
    default:
        break;
    }
    if (event->type() == QEvent::ScreenChangeInternal && layoutRatio_ != devicePixelRatioF()) {
        relayout();
        syncButtons();
        update();
    }
    return QWidget::event(event);
}

// One finger on a touch screen, anywhere outside a button, through the SwipeReader: a swipe is an
// arrow, a tap the space bar. A touchpad is a mouse, and a mouse never steers.
bool GameWindow::touch(QTouchEvent* event)
{
    const QEventPoint* point = event->points().isEmpty() ? nullptr : &event->points().first();
    const bool screen = event->device()->type() == QInputDevice::DeviceType::TouchScreen;
    if (event->type() == QEvent::TouchBegin) {
        // Ignored on a button, Qt makes a mouse press of it and the button is clicked.
        finger_ = screen && point && !childAt(point->position().toPoint()) ? point->id() : -1;
        if (finger_ < 0) {
            event->ignore();
            return false;
        }
    }
    event->accept();
    if (event->type() == QEvent::TouchCancel) {
        swipe_.cancel();
        return true;
    }
    const auto it = std::find_if(event->points().begin(), event->points().end(),
                                 [this](const QEventPoint& p) { return p.id() == finger_; });
    if (it == event->points().end()) {
        return true;
    }
    const FingerPoint at{it->position().x(), it->position().y(), static_cast<double>(event->timestamp())};
    std::optional<std::int16_t> key;
    if (it->state() == QEventPoint::Pressed) {
        swipe_.press(at);
    } else {
        key = it->state() == QEventPoint::Released ? swipe_.lift(at) : swipe_.move(at);
    }
    if (key) {
        handle([this, code = *key] { session_.keyDown(code); });
    }
    return true;
}

// Qt's own Tab handling would swallow the key: Tab reaches the game like any other key, and
// keyPressEvent then moves the focus itself.
bool GameWindow::focusNextPrevChild(bool) { return false; }

} // namespace worm
