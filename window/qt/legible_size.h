// legibleMinimumSize: the smallest window in which the board's cells and the captions stay legible.
#pragma once

#include <QSize>

#include "window/form_model.h"

namespace worm {

// A cell of 1/16 inch (6 pixels at 96 dots per inch, two thirds of the board's opening size) is
// the smallest at which the round head still reads as round beside the square body cells; the
// captions grow with the cells and come out at 9.5 points there, above the desktop's small print.
inline constexpr double legibleCellTwips = 90;

// The window size, in logical pixels, that gives every cell of the loaded board at least
// legibleCellTwips.
QSize legibleMinimumSize(const FormModel& form);

} // namespace worm
