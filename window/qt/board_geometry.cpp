// Board geometry: layout in device pixels, damage and buttons mapped back to logical pixels.
#include "window/qt/board_geometry.h"

#include <cmath>

namespace worm {

// Floored, so the layout never claims a device pixel the window only partly has.
BoardLayout fitBoard(const FormModel& form, QSize logicalSize, qreal devicePixelRatio)
{
    return BoardLayout(form, static_cast<int>(std::floor(logicalSize.width() * devicePixelRatio)),
                       static_cast<int>(std::floor(logicalSize.height() * devicePixelRatio)));
}

QRect logicalCover(const PixelRect& r, qreal devicePixelRatio)
{
    const int left = static_cast<int>(std::floor(r.x / devicePixelRatio));
    const int top = static_cast<int>(std::floor(r.y / devicePixelRatio));
    const int right = static_cast<int>(std::ceil((r.x + r.width) / devicePixelRatio));
    const int bottom = static_cast<int>(std::ceil((r.y + r.height) / devicePixelRatio));
    return QRect(left, top, right - left, bottom - top);
}

QRegion damagedArea(const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio)
{
    QRegion area;
    for (const auto k : form.damage().cells()) {
        area += logicalCover(layout.cellRect(form.cell(k)), devicePixelRatio);
    }
    return area;
}

QRect buttonBox(const ButtonRecord& button, const BoardLayout& layout, qreal devicePixelRatio)
{
    const PixelRect box = layout.rect(button.left, button.top, button.width, button.height);
    const auto logical = [devicePixelRatio](int device) {
        return static_cast<int>(std::lround(device / devicePixelRatio));
    };
    const int left = logical(box.x);
    const int top = logical(box.y);
    return QRect(left, top, logical(box.x + box.width) - left, logical(box.y + box.height) - top);
}

} // namespace worm
