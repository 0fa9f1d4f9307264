// The program: one game window; closing it ends the run.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "window/form_design.h"
#include "window/local_clock.h"
#include "window/qt/display_probe.h"
#include "window/qt/game_icon.h"
#include "window/qt/game_window.h"
#include "window/qt/legible_size.h"
#ifdef WORM_VIRTUAL_PADS
#include "window/qt/virtual_pads.h"
#endif

int main(int argc, char* argv[])
{
    // Qt aborts without a display and advises reinstalling, which would not help.
    if (!worm::displayAnswers(argc, argv)) {
        std::fputs(
            "worm: cannot open a display: set DISPLAY or WAYLAND_DISPLAY, or run it in a desktop session\n",
            stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("worm"));
    QGuiApplication::setDesktopFileName(QStringLiteral(WORM_APP_ID)); // ties the window to its menu entry
    const double twipsPerPixel =
        worm::design::twipsPerInch / QApplication::primaryScreen()->logicalDotsPerInchX();
    worm::GameWindow window(std::make_unique<worm::SeededRandom>(worm::secondsSinceMidnight), twipsPerPixel);
    if (!window.start()) {
        return EXIT_FAILURE;
    }
    window.setMinimumSize(worm::legibleMinimumSize(window.session().form()));
    window.show();
    // Drawn once the event loop runs: rendering it first held the window back by some 2.5 ms.
    // Pads too: the first board never waits for them.
    QTimer::singleShot(0, &window, [&window] {
        QApplication::setWindowIcon(worm::gameIcon());
        window.watchPads();
#ifdef WORM_VIRTUAL_PADS
        worm::VirtualPads::fromEnvironment(window.pads(), &window);
#endif
    });
    return QApplication::exec();
}
