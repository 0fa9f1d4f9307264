// The program: one game window; closing it ends the run.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QTime>
#include <QTimer>

#include <cstdlib>
#include <memory>

#include "window/form_design.h"
#include "window/game_window.h"

namespace {

std::uint32_t secondsSinceMidnight()
{
    return static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay() / 1000);
}

// The installed SVG icon, drawn at the sizes window managers and task bars ask for. Rendering it
// here, rather than through an icon plugin, keeps the icon from depending on what is installed.
QIcon gameIcon()
{
    QSvgRenderer svg(QStringLiteral(":/" WORM_APP_ID ".svg"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("worm"));
    QGuiApplication::setDesktopFileName(QStringLiteral(WORM_APP_ID));  // ties the window to its menu entry
    const double twipsPerPixel = worm::design::twipsPerInch / QApplication::primaryScreen()->logicalDotsPerInchX();
    worm::GameWindow window(std::make_unique<worm::SeededRandom>(secondsSinceMidnight), twipsPerPixel);
    if (!window.start()) {
        return EXIT_FAILURE;
    }
    window.show();
    // Drawn once the event loop runs: rendering it first held the window back by some 2.5 ms.
    QTimer::singleShot(0, &window, [] { QApplication::setWindowIcon(gameIcon()); });
    return QApplication::exec();
}
