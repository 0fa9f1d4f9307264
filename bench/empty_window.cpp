// The toolkit's floor for the figures: a QApplication and one shown QWidget, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(450, 450); // the game's opening size at 96 dpi, so both keep the same backing store
    window.setWindowTitle(QStringLiteral("empty"));
    window.show();
    return QApplication::exec();
}
