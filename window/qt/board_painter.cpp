// BoardPainter: works in device pixels, so cell edges fall on whole pixels at any scale.
#include "window/qt/board_painter.h"

#include <algorithm>
#include <cmath>

namespace worm {
namespace {

constexpr std::size_t keptCircles = 8; // a colour or two at the sizes of the last few layouts

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QRect deviceClip(const QRect& logical, qreal dpr)
{
    const int left = static_cast<int>(std::floor(logical.left() * dpr));
    const int top = static_cast<int>(std::floor(logical.top() * dpr));
    const int right = static_cast<int>(std::ceil((logical.left() + logical.width()) * dpr));
    const int bottom = static_cast<int>(std::ceil((logical.top() + logical.height()) * dpr));
    return QRect(left, top, right - left, bottom - top);
}

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The grid lines [from, to) meets, given where the grid starts, its pitch and its size.
struct Span {
    int first, last;
};

Span gridSpan(int from, int to, int origin, int pitch, int count)
{
    return {std::max(0, floorDiv(from - origin, pitch)),
            std::min(count - 1, floorDiv(to - 1 - origin, pitch))};
}

} // namespace

int BoardPainter::paint(QPainter& painter, const FormModel& form, const BoardLayout& layout,
                        qreal devicePixelRatio, const QRect& logicalClip)
{
    painter.save();
    // Undo the painter's own scale, not the ratio: it never scales a device down, so below a
    // ratio of 1 it draws one to one.
    painter.resetTransform();
    const qreal scale = painter.deviceTransform().m11();
    painter.setTransform(QTransform::fromScale(1 / scale, 1 / scale));
    const QRect clip = deviceClip(logicalClip, devicePixelRatio);
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.fillRect(clip, boardBackground);
    const int visited = paintCells(painter, form, layout, clip);
    painter.restore();
    return visited;
}

// Rectangle by rectangle, each clipped to what it fills: where two overlap by a rounded device
// pixel, the second fills it afresh and redraws the cell there, and it leaves alone the pixels
// it does not fill.
int BoardPainter::paint(QPainter& painter, const FormModel& form, const BoardLayout& layout,
                        qreal devicePixelRatio, const QRegion& logicalArea)
{
    int visited = 0;
    for (const QRect& r : logicalArea) {
        visited += paint(painter, form, layout, devicePixelRatio, r);
    }
    return visited;
}

// Cell k of the board sits in column (k - 1) mod columns and row (k - 1) div columns.
int BoardPainter::paintCells(QPainter& painter, const FormModel& form, const BoardLayout& layout,
                             const QRect& clip)
{
    const int pitch = layout.cellPixels();
    const Span columns =
        gridSpan(clip.left(), clip.left() + clip.width(), layout.originX(), pitch, layout.columns());
    const Span rows =
        gridSpan(clip.top(), clip.top() + clip.height(), layout.originY(), pitch, layout.rows());
    int visited = 0;
    for (int row = rows.first; row <= rows.last; ++row) {
        for (int column = columns.first; column <= columns.last; ++column) {
            const int k = 1 + column + layout.columns() * row;
            if (k >= form.cellCount()) {
                return visited;
            }
            ++visited;
            const CellRecord& c = form.cell(k);
            if (!c.visible) {
                continue;
            }
            const PixelRect r = layout.cellRect(c);
            const QRect box(r.x, r.y, r.width, r.height);
            if (box.intersects(clip)) {
                paintCell(painter, c, box);
            }
        }
    }
    return visited;
}

void BoardPainter::paintCell(QPainter& painter, const CellRecord& c, const QRect& box)
{
    if (c.shape == Shape::circle) {
        painter.drawImage(box.topLeft(), circle(toQColor(c.colour), box.size()));
    } else {
        painter.fillRect(box, toQColor(c.colour));
    }
}

// Drawn on the background, as a round cell always is: copying it then gives the same pixels as
// drawing it there.
const QImage& BoardPainter::circle(QColor colour, QSize size)
{
    for (const Stamp& s : circles_) {
        if (s.colour == colour.rgb() && s.size == size) {
            return s.image;
        }
    }
    if (circles_.size() == keptCircles) {
        circles_.erase(circles_.begin());
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(boardBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRect(QPoint(0, 0), size));
    p.end();
    circles_.push_back({colour.rgb(), size, std::move(image)});
    return circles_.back().image;
}

} // namespace worm
