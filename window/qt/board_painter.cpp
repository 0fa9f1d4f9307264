// paintBoard: works in device pixels, so cell edges fall on whole pixels at any scale.
#include "window/qt/board_painter.h"

#include <cmath>

namespace worm {
namespace {

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QRect deviceClip(const QRect& logical, qreal dpr)
{
    const int left = static_cast<int>(std::floor(logical.left() * dpr));
    const int top = static_cast<int>(std::floor(logical.top() * dpr));
    const int right = static_cast<int>(std::ceil((logical.left() + logical.width()) * dpr));
    const int bottom = static_cast<int>(std::ceil((logical.top() + logical.height()) * dpr));
    return QRect(left, top, right - left, bottom - top);
}

void paintCell(QPainter& painter, const CellRecord& c, const QRect& box)
{
    const QColor colour = toQColor(c.colour);
    if (c.shape == Shape::circle) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(box);
        painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
        painter.fillRect(box, colour);
    }
}

} // namespace

void paintBoard(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
                const QRect& logicalClip)
{
    painter.save();
    painter.setTransform(QTransform::fromScale(1 / devicePixelRatio, 1 / devicePixelRatio));
    const QRect clip = deviceClip(logicalClip, devicePixelRatio);
    painter.fillRect(clip, boardBackground);
    for (int k = 1; k < form.cellCount(); ++k) {
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
    painter.restore();
}

} // namespace worm
