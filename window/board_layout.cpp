// BoardLayout: fit whole-pixel cells into the window and map twips onto them.
#include "window/board_layout.h"

#include <algorithm>
#include <cmath>

#include "window/form_design.h"

namespace worm {

BoardLayout::BoardLayout(const FormModel& form, int deviceWidth, int deviceHeight)
{
    const CellRecord& unit = form.cell(0);
    twipsPerCell_ = std::max(1.0, unit.width);
    const int across = std::max(1, static_cast<int>(std::lround(form.innerWidth() / twipsPerCell_)));
    const int down =
        std::max(1, static_cast<int>(std::lround(form.innerHeight() / std::max(1.0, unit.height))));
    columns_ = across;
    rows_ = down;
    cellPixels_ = std::max(1, std::min(deviceWidth / across, deviceHeight / down));
    originX_ = std::max(0, (deviceWidth - across * cellPixels_) / 2);
    originY_ = std::max(0, (deviceHeight - down * cellPixels_) / 2);
}

int BoardLayout::toPixels(double twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerCell_ * cellPixels_));
}

// Both edges are rounded, not the size, so neighbouring cells meet without a seam.
PixelRect BoardLayout::rect(double left, double top, double width, double height) const
{
    const int x = toDeviceX(left);
    const int y = toDeviceY(top);
    return PixelRect{x, y, toDeviceX(left + width) - x, toDeviceY(top + height) - y};
}

double buttonFontPoints(const FormModel& form, const BoardLayout& layout, double devicePixelRatio)
{
    const double zoom = layout.pixelsPerTwip() * form.twipsPerPixel() / devicePixelRatio;
    return design::buttonFontPoints * zoom;
}

} // namespace worm
