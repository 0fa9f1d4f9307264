// The game window as main() runs it, one meal short of a new level: the first Up changes level.
#include <QApplication>

#include "tests/support/scripted_random.h"
#include "tests/support/staging.h"
#include "window/qt/game_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    worm::GameWindow window(std::make_unique<worm::testing::ScriptedRandom>(), 15);
    if (!window.start()) {
        return EXIT_FAILURE;
    }
    worm::testing::stageLevelChange(window.session());
    window.show();
    return QApplication::exec();
}
