// The per-tick floor for the figures: the least any front end must do each 75 ms tick, in a
// window of the game's size: a new title, and three cell-sized rectangles repainted.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class TickFloor final : public QWidget {
public:
    TickFloor()
    {
        resize(450, 450);
        setAttribute(Qt::WA_OpaquePaintEvent); // as the game's: the paint covers its rectangle itself
        setWindowTitle(title());
        timer_.setTimerType(Qt::PreciseTimer); // as the game's timer
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start(75);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(168, 168, 160));
        painter.fillRect(cell(n_), QColor(0, 128, 0));
    }

private:
    // A head, the cell it left and the tail's cell: 9 px cells marching along a row.
    static QRect cell(int k) { return {9 * (k % 48 + 1), 9 * (k / 48 % 48 + 1), 9, 9}; }
    QString title() const { return QStringLiteral("Score:  %1/ %1").arg(n_); }

    void tick()
    {
        ++n_;
        setWindowTitle(title());
        update(cell(n_));
        update(cell(n_ - 1));
        update(cell(n_ - 5));
    }

    QTimer timer_;
    int n_ = 5; // so that the tail's cell is on the board from the first tick
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TickFloor window;
    window.show();
    return QApplication::exec();
}
