// A game window run the way main() runs it, with a state staged first, to see how the program
// ends: on a fault it must report and exit with status 1, on a close with status 0.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

#include "tests/support/scripted_random.h"
#include "tests/support/staging.h"
#include "window/handlers.h"
#include "window/qt/caption_button.h"
#include "window/qt/game_window.h"

namespace {

using worm::GameWindow;

void press(GameWindow& w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

// Closes the window once `ready` holds, as the user would; exits with 2 if it never does.
void closeWhen(GameWindow& w, std::function<bool()> ready)
{
    auto* poll = new QTimer(&w);
    QObject::connect(poll, &QTimer::timeout, &w, [&w, poll, ready, tries = 0]() mutable {
        if (ready()) {
            poll->stop();
            w.close();
        } else if (++tries > 200) {
            std::fprintf(stderr, "the staged state never came\n");
            QCoreApplication::exit(2);
        }
    });
    poll->start(10);
}

// Returns false for an unknown mode.
bool stage(GameWindow& w, const char* mode)
{
    worm::GameSession& session = w.session();
    if (std::strcmp(mode, "points-overflow") == 0) {
        session.state().points = INT_MAX; // the next tick adds 1
        press(w, Qt::Key_Up);
    } else if (std::strcmp(mode, "trail-out-of-range") == 0) {
        session.state().headpos = 5001; // the next tick reads the previous head there
        press(w, Qt::Key_Up);
    } else if (std::strcmp(mode, "close-ticking") == 0) {
        press(w, Qt::Key_Up);
        closeWhen(w, [&w] { return w.session().state().score >= 3 && w.timerRunning(); });
    } else if (std::strcmp(mode, "close-paused") == 0) {
        press(w, Qt::Key_Up);
        press(w, Qt::Key_P);
        closeWhen(w, [&w] { return !w.timerRunning() && w.pauseButton()->isVisible(); });
    } else if (std::strcmp(mode, "close-game-over") == 0) {
        w.pauseButton()->click(); // no heading yet: the first tick collides
        closeWhen(w, [&w] { return !w.timerRunning() && w.gameoverButton()->isVisible(); });
    } else if (std::strcmp(mode, "close-mid-rebuild") == 0) {
        // The level change's nested load closes the window before the tick that caused it ends.
        session.form().setLoadHandler([&w] {
            worm::Form_Load(w.session().game());
            w.close();
        });
        worm::testing::stageLevelChange(session);
        press(w, Qt::Key_Up);
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_exit <mode>\n");
        return 2;
    }
    GameWindow window(std::make_unique<worm::testing::ScriptedRandom>(), 15);
    if (!window.start()) {
        return EXIT_FAILURE;
    }
    window.show();
    if (!stage(window, argv[1])) {
        std::fprintf(stderr, "unknown mode %s\n", argv[1]);
        return 2;
    }
    return QApplication::exec();
}
