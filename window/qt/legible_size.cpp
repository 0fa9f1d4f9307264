// legibleMinimumSize: the board's cells across and down, each at the legible cell size.
#include "window/qt/legible_size.h"

#include <algorithm>
#include <cmath>

namespace worm {

QSize legibleMinimumSize(const FormModel& form)
{
    const CellRecord& unit = form.cell(0);
    const auto cells = [](double length, double cell) {
        return std::max(1, static_cast<int>(std::lround(length / std::max(1.0, cell))));
    };
    const int cellPixels = static_cast<int>(std::ceil(legibleCellTwips / form.twipsPerPixel()));
    return QSize(cells(form.innerWidth(), unit.width) * cellPixels,
                 cells(form.innerHeight(), unit.height) * cellPixels);
}

} // namespace worm
