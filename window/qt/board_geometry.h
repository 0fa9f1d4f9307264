// Where the board lands in the widget: its layout for a logical size and device pixel ratio,
// the logical area a change needs repainted, and the buttons' boxes.
#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>

#include "window/board_layout.h"
#include "window/form_model.h"

namespace worm {

// The board laid out on the whole device pixels of a widget of this logical size.
BoardLayout fitBoard(const FormModel& form, QSize logicalSize, qreal devicePixelRatio);

// The smallest logical rectangle that covers a device-pixel rectangle.
QRect logicalCover(const PixelRect& device, qreal devicePixelRatio);

// Every cell the model marked as changed, as the logical area to repaint.
QRegion damagedArea(const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio);

// A button's box in logical pixels: it scales with the board so that it stays in place on it.
QRect buttonBox(const ButtonRecord& button, const BoardLayout& layout, qreal devicePixelRatio);

} // namespace worm
