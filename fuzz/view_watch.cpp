// ViewWatch: plays the part of GameWindow and the toolkit around it. The window's own functions
// lay out the board, name the area a change repaints, paint it and map keys; the toolkit's part
// is to clip each paint to that area in device pixels, the way it clips a widget's paint event.
#include "fuzz/view_watch.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <iterator>

#include "fuzz/event_script.h"
#include "fuzz/view_checks.h"
#include "window/game_session.h"
#include "window/qt/board_geometry.h"
#include "window/qt/board_painter.h"
#include "window/qt/qt_keys.h"

namespace worm::fuzz {
namespace {

ViewTotals totals_;

// No paint leaves this colour: whatever keeps it was never painted.
constexpr QRgb unpainted = qRgb(255, 0, 255);

// Larger windows are checked by arithmetic only: drawing them would starve the fuzzer.
constexpr long long maxDrawnPixels = 1 << 19;

constexpr int largestWidget = 16777215; // the toolkit's largest widget side

int dimension(ScriptInput& in)
{
    const int mode = in.next();
    const int v = in.next();
    switch (mode % 6) {
    case 0:
        return v;
    case 1:
        return v * 4;
    case 2:
        return 256 + v * 8;
    case 3:
        return v | in.next() << 8;
    case 4:
        return largestWidget - v;
    default:
        return 0;
    }
}

// The scales desktops use, or any from 0.5 to 8 in steps of 1/1024.
double ratio(ScriptInput& in)
{
    static constexpr double common[] = {1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4, 0.5, 8, 1.1, 4.0 / 3};
    if (in.next() % 2 == 0) {
        return common[in.next() % std::size(common)];
    }
    const int v = in.next() | in.next() << 8;
    return 0.5 + (v % 7681) / 1024.0;
}

// Latin-1 keys (letters and digits among them), the toolkit's named keys, or any value at all.
int qtKey(ScriptInput& in)
{
    const int mode = in.next();
    const int v = in.next();
    switch (mode % 3) {
    case 0:
        return v;
    case 1:
        return 0x01000000 | v;
    default:
        return static_cast<int>(static_cast<unsigned>(v) | static_cast<unsigned>(in.next()) << 8 |
                                static_cast<unsigned>(in.next()) << 16 |
                                static_cast<unsigned>(in.next()) << 24);
    }
}

// How the toolkit turns a widget's logical paint area into the device pixels it lets it paint.
QRegion deviceArea(const QRegion& logical, double ratio)
{
    return QTransform::fromScale(ratio, ratio).map(logical);
}

} // namespace

int paintOffscreen(BoardPainter& board, QImage& image, const QRegion& area, const FormModel& form,
                   const BoardLayout& layout, double ratio)
{
    QPaintEngine* engine = image.paintEngine();
    engine->setSystemClip(deviceArea(area, ratio));
    int visited = 0;
    {
        QPainter painter(&image);
        visited = board.paint(painter, form, layout, ratio, area);
    }
    engine->setSystemClip(QRegion());
    return visited;
}

const ViewTotals& ViewWatch::totals() { return totals_; }

void ViewWatch::operate(int op, ScriptInput& in)
{
    switch (op) {
    case 0: {
        const int width = dimension(in);
        resize(QSize(width, dimension(in)));
        break;
    }
    case 1:
        setRatio(ratio(in));
        break;
    case 2:
        key(in);
        break;
    case 3:
        held_ = in.next() % 16; // events that come faster than the window paints
        break;
    default:
        repaint();
        compare();
        break;
    }
}

void ViewWatch::afterEvent(const GameSession& session)
{
    const FormModel& form = session.form();
    if (session_ == nullptr) {
        session_ = &session;
        // The window opens at the size the board asks for.
        size_ = QSize(static_cast<int>(std::lround(form.innerWidth() / form.twipsPerPixel())),
                      static_cast<int>(std::lround(form.innerHeight() / form.twipsPerPixel())));
        newImage();
    }
    const Damage& damage = form.damage();
    if (damage.everything()) {
        relayout(); // a new board
        pending_ = widgetRect();
    } else if (!damage.empty()) {
        const QRegion area = damagedArea(form, layout_, ratio_) & widgetRect();
        checkRepaintCovers(form, layout_, deviceArea(area, ratio_), deviceSize());
        pending_ += area;
    }
    if (held_ > 0) {
        --held_;
    } else {
        repaint();
    }
}

void ViewWatch::finished(const GameSession&)
{
    repaint();
    compare();
}

void ViewWatch::resize(QSize logical)
{
    ++totals_.resizes;
    size_ = logical;
    resized();
}

void ViewWatch::setRatio(double devicePixelRatio)
{
    ++totals_.ratios;
    ratio_ = devicePixelRatio;
    resized();
}

// The backing store is new, its content undefined, and the whole window is repainted.
void ViewWatch::resized()
{
    newImage();
    relayout();
    pending_ = widgetRect();
    if (held_ == 0) {
        repaint();
    }
}

void ViewWatch::key(ScriptInput& in)
{
    ++totals_.keys;
    const int k = qtKey(in);
    const std::int16_t code = virtualKeyCode(k);
    if (const std::string fault = keyCodeFault(k, code); !fault.empty()) {
        finding(fault);
    }
    in.key(code);
}

void ViewWatch::relayout()
{
    const FormModel& form = session_->form();
    layout_ = fitBoard(form, size_, ratio_);
    checkBoardFits(form, layout_, size_, ratio_);
    checkButtons(form, layout_, ratio_);
}

QSize ViewWatch::deviceSize() const
{
    return QSize(qRound(size_.width() * ratio_), qRound(size_.height() * ratio_));
}

void ViewWatch::newImage()
{
    const QSize device = deviceSize();
    if (device.isEmpty() || static_cast<long long>(device.width()) * device.height() > maxDrawnPixels) {
        shown_ = QImage();
        return;
    }
    shown_ = QImage(device, QImage::Format_RGB32);
    shown_.setDevicePixelRatio(ratio_);
    shown_.fill(unpainted);
}

void ViewWatch::repaint()
{
    held_ = 0;
    const QRegion area = pending_ & widgetRect();
    pending_ = QRegion();
    if (area.isEmpty() || shown_.isNull()) {
        return;
    }
    ++totals_.repaints;
    paintOffscreen(board_, shown_, area, session_->form(), layout_, ratio_);
    paintedSinceCompare_ = true;
}

void ViewWatch::compare()
{
    if (shown_.isNull() || !paintedSinceCompare_) {
        return;
    }
    paintedSinceCompare_ = false;
    ++totals_.comparisons;
    QImage full(shown_.size(), QImage::Format_RGB32);
    full.setDevicePixelRatio(ratio_);
    full.fill(unpainted);
    paintOffscreen(board_, full, widgetRect(), session_->form(), layout_, ratio_);
    checkAllPainted(full, unpainted);
    checkCellsShown(full, session_->form(), layout_);
    checkSameImage(shown_, full, "after partial repaints");
}

} // namespace worm::fuzz
