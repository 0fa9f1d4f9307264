// The Qt window: real key presses and button clicks reach the game; the title and timer follow.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "tests/support/scripted_random.h"
#include "tests/support/staging.h"
#include "window/handlers.h"
#include "window/qt/caption_button.h"
#include "window/qt/game_window.h"
#include "window/qt/legible_size.h"
#include "window/qt/qt_keys.h"

namespace worm {

class GameWindowTest : public QObject {
    Q_OBJECT

private:
    // The first board's food lands at column 10, row 10 unless a test queues otherwise.
    std::unique_ptr<GameWindow> open(double twipsPerPixel = 15)
    {
        auto random = std::make_unique<testing::ScriptedRandom>();
        random_ = random.get();
        random_->queueFreshBoard(10, 10);
        auto w = std::make_unique<GameWindow>(std::move(random), twipsPerPixel);
        if (!w->start()) {
            return nullptr;
        }
        w->show();
        // The board's element joins once the first board is drawn.
        if (!QTest::qWaitForWindowExposed(w.get()) || !QTest::qWaitFor([&] { return w->focusProxy(); })) {
            return nullptr;
        }
        return w;
    }

    testing::ScriptedRandom* random_ = nullptr; // owned by the window open() made last

    // Rows of wall red down the middle of the top edge: the height of one cell.
    static int wallThickness(const QImage& image)
    {
        int rows = 0;
        while (rows < image.height() && image.pixelColor(image.width() / 2, rows) == QColor(255, 0, 0)) {
            ++rows;
        }
        return rows;
    }

    // A shown button's caption is at least 9 points and fits inside it, word-wrapped.
    static bool captionLegible(const CaptionButton* b, const QWidget* window)
    {
        const QRect need =
            QFontMetrics(b->font()).boundingRect(b->rect(), Qt::AlignCenter | Qt::TextWordWrap, b->text());
        return b->isVisible() && b->font().pointSizeF() >= 9 && b->rect().contains(need) &&
               window->rect().contains(b->geometry());
    }

    // A key pressed where the keyboard focus is, as a keyboard-only player presses it.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

private slots:
    void opensAtTheBoardSizeWithTheScoreLine()
    {
        auto w = open();
        QVERIFY(w);
        QCOMPARE(w->size(), QSize(450, 450));
        QCOMPARE(w->windowTitle(), QString("Score:  1/ 1"));
        QVERIFY(!w->timerRunning());
        QVERIFY(!w->pauseButton()->isVisible());
        QVERIFY(!w->gameoverButton()->isVisible());
    }

    void arrowKeyStartsTheTimerAndPPausesIt()
    {
        auto w = open();
        QVERIFY(w);
        QTest::keyClick(w.get(), Qt::Key_Up);
        QVERIFY(w->timerRunning());
        QTRY_VERIFY_WITH_TIMEOUT(w->session().state().score >= 3, 2000);
        QVERIFY(w->windowTitle().startsWith("Score:  "));
        QTest::keyClick(w.get(), Qt::Key_P, Qt::ShiftModifier);
        QVERIFY(!w->timerRunning());
        QVERIFY(w->pauseButton()->isVisible());
        QTest::mouseClick(w->pauseButton(), Qt::LeftButton);
        QVERIFY(w->timerRunning());
        QVERIFY(!w->pauseButton()->isVisible());
    }

    void gameOverButtonStartsANewGameKeepingTheBest()
    {
        auto w = open();
        QVERIFY(w);
        QTest::keyClick(w.get(), Qt::Key_P);
        QTest::mouseClick(w->pauseButton(), Qt::LeftButton); // no heading: the first tick collides
        QTRY_VERIFY_WITH_TIMEOUT(w->gameoverButton()->isVisible(), 2000);
        QVERIFY(!w->timerRunning());
        const auto best = w->session().state().best;
        random_->queueFreshBoard(25, 25); // the new board's food lands on the head: eaten at once
        QTest::mouseClick(w->gameoverButton(), Qt::LeftButton);
        QVERIFY(!w->gameoverButton()->isVisible());
        QCOMPARE(w->session().state().score, std::int64_t{101});
        QCOMPARE(w->session().state().best, std::max<std::int64_t>(best, 101));
        QCOMPARE(w->windowTitle(), QString("Score:  101/ %1").arg(std::max<std::int64_t>(best, 101)));
    }

    // A touch screen's finger plays as on the page; a mouse dragged the same way never steers.
    void swipesSteerTapsResumeAndButtonsTakeTheirOwnTouches()
    {
        // The caller's to delete, after the window that received its touches.
        const std::unique_ptr<QPointingDevice> device(
            QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen));
        QPointingDevice* screen = device.get();
        auto w = open();
        QVERIFY(w);
        QTest::mousePress(w.get(), Qt::LeftButton, {}, {200, 200});
        QTest::mouseMove(w.get(), {200, 100});
        QTest::mouseRelease(w.get(), Qt::LeftButton, {}, {200, 100});
        QVERIFY(!w->timerRunning());

        QTest::touchEvent(w.get(), screen).press(0, {200, 200});
        QTest::touchEvent(w.get(), screen).move(0, {200, 170}); // turns before the finger lifts
        QVERIFY(w->timerRunning());
        QCOMPARE(w->session().state().direction, std::string("up"));
        QTest::touchEvent(w.get(), screen).move(0, {240, 170});
        QTest::touchEvent(w.get(), screen).release(0, {240, 170});
        QCOMPARE(w->session().state().direction, std::string("right"));

        QTest::keyClick(w.get(), Qt::Key_P);
        QVERIFY(!w->timerRunning());
        QTest::touchEvent(w.get(), screen).press(0, {10, 10});
        QTest::touchEvent(w.get(), screen).release(0, {12, 10});
        QVERIFY(w->timerRunning()); // a tap resumes, as the space bar does

        QTest::keyClick(w.get(), Qt::Key_P);
        const QPoint onPause = w->pauseButton()->geometry().center();
        QTest::touchEvent(w.get(), screen).press(0, onPause);
        QTest::touchEvent(w.get(), screen).release(0, onPause);
        QTRY_VERIFY(!w->pauseButton()->isVisible()); // clicked, not read as a tap
        QVERIFY(w->timerRunning());
    }

    void shrinksNoFurtherThanLegible_data()
    {
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("cell");
        QTest::newRow("96 dpi") << 15.0 << 300 << 6;
        QTest::newRow("144 dpi") << 10.0 << 450 << 9;
    }

    void shrinksNoFurtherThanLegible()
    {
        QFETCH(double, twipsPerPixel);
        QFETCH(int, side);
        QFETCH(int, cell);
        auto w = open(twipsPerPixel);
        QVERIFY(w);
        w->setMinimumSize(legibleMinimumSize(w->session().form()));
        w->resize(120, 100);
        QCOMPARE(w->size(), QSize(side, side));
        QCOMPARE(wallThickness(w->grab().toImage()), cell);
        QTest::keyClick(w.get(), Qt::Key_P);
        QVERIFY(captionLegible(w->pauseButton(), w.get()));
        QTest::mouseClick(w->pauseButton(), Qt::LeftButton); // no heading: the first tick collides
        QTRY_VERIFY_WITH_TIMEOUT(w->gameoverButton()->isVisible(), 2000);
        QVERIFY(captionLegible(w->gameoverButton(), w.get()));
    }

    void keysBecomeTheirVirtualKeyCodes()
    {
        QCOMPARE(virtualKeyCode(Qt::Key_Left), keys::left);
        QCOMPARE(virtualKeyCode(Qt::Key_Up), keys::up);
        QCOMPARE(virtualKeyCode(Qt::Key_Right), keys::right);
        QCOMPARE(virtualKeyCode(Qt::Key_Down), keys::down);
        QCOMPARE(virtualKeyCode(Qt::Key_P), keys::p);
        QCOMPARE(virtualKeyCode(Qt::Key_A), std::int16_t{65});
        QCOMPARE(virtualKeyCode(Qt::Key_Space), std::int16_t{32});
        QCOMPARE(virtualKeyCode(Qt::Key_F1), std::int16_t{112});
        // A key with no code of its own still arrives, as something other than the game's keys.
        const std::int16_t other = virtualKeyCode(Qt::Key_VolumeUp);
        for (const std::int16_t known : {keys::left, keys::up, keys::right, keys::down, keys::p}) {
            QVERIFY(other != known);
        }
    }

    // A click on a button leaves the keyboard with the board, so the next key reaches the game.
    void keysStillReachTheGameAfterAButtonClick()
    {
        auto w = open();
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_Up);
        QTest::keyClick(w.get(), Qt::Key_P);
        QTest::mouseClick(w->pauseButton(), Qt::LeftButton);
        QVERIFY(w->timerRunning());
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus, w->focusProxy()); // the board
        QTest::keyClick(focus, Qt::Key_P);
        QVERIFY(!w->timerRunning());
        QVERIFY(w->pauseButton()->isVisible());
    }

    void keyboardAloneResumesAndStartsANewGame_data()
    {
        QTest::addColumn<int>("click");
        QTest::newRow("space") << int{Qt::Key_Space};
        QTest::newRow("enter") << int{Qt::Key_Enter};
        QTest::newRow("return") << int{Qt::Key_Return};
    }

    // Tab, still a key to the game, also walks the focus round the board and the buttons that
    // show; Space, Enter or Return clicks the focused one, and the focus returns to the board.
    void keyboardAloneResumesAndStartsANewGame()
    {
        QFETCH(int, click);
        auto w = open();
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        press(Qt::Key_P);
        const QImage unfocused = w->pauseButton()->grab().toImage();
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == w->pauseButton());
        QVERIFY(w->pauseButton()->grab().toImage() != unfocused); // the focus shows
        press(Qt::Key(click));                                    // no heading yet: the first tick collides
        QVERIFY(w->timerRunning());
        QVERIFY(!w->pauseButton()->isVisible());
        QVERIFY(QApplication::focusWidget() == w->focusProxy());
        QTRY_VERIFY_WITH_TIMEOUT(w->gameoverButton()->isVisible(), 2000);
        w->session().state().direction = "up"; // a heading: any key now resumes
        press(Qt::Key_P);                      // both buttons show: the ring is board, Pause, Game Over
        press(Qt::Key_Backtab);
        QVERIFY(QApplication::focusWidget() == w->gameoverButton());
        QVERIFY(w->timerRunning()); // Backtab reached the game too
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == w->focusProxy());
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == w->pauseButton());
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == w->gameoverButton());
        press(Qt::Key(click));
        QVERIFY(!w->gameoverButton()->isVisible());
        QVERIFY(QApplication::focusWidget() == w->focusProxy());
        QCOMPARE(w->windowTitle(), QString("Score:  1/ %1").arg(w->session().state().best));
    }

    // A level change while another window is active hides the focused Game Over button: the
    // keyboard is the board's again when the player comes back.
    void aButtonHiddenInTheBackgroundGivesTheBoardTheFocus()
    {
        auto w = open();
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        press(Qt::Key_P);
        press(Qt::Key_Tab);
        press(Qt::Key_Space); // Pause clicked with no heading yet: the first tick collides
        QTRY_VERIFY_WITH_TIMEOUT(w->gameoverButton()->isVisible(), 2000);
        w->session().state().direction = "up";
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == w->gameoverButton());
        testing::stageLevelChange(w->session());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(w.get(), Qt::Key_Up); // resumes: the next tick eats and changes level
        QTRY_VERIFY_WITH_TIMEOUT(!w->gameoverButton()->isVisible(), 2000);
        QVERIFY(w->focusWidget() == w->focusProxy()); // what the window gives the keyboard to on its return
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(QApplication::focusWidget() == w->focusProxy());
    }

    // On a focused button every key but a click reaches the game, the arrows and P included.
    void otherKeysPassAFocusedButtonOnToTheGame()
    {
        auto w = open();
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        press(Qt::Key_Up);
        press(Qt::Key_P);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() == w->pauseButton());
        QVERIFY(w->timerRunning());
        press(Qt::Key_Left);
        QCOMPARE(w->session().state().direction, std::string("left"));
        press(Qt::Key_P);
        QVERIFY(!w->timerRunning());
        QVERIFY(QApplication::focusWidget() == w->pauseButton());
    }
};

} // namespace worm

QTEST_MAIN(worm::GameWindowTest)
#include "game_window_test.moc"
