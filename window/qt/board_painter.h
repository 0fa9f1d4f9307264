// paintBoard: draws the background and every visible cell of the model that meets the clip.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include "window/board_layout.h"
#include "window/form_design.h"
#include "window/form_model.h"

namespace worm {

// What hidden cells show.
inline const QColor boardBackground{redOf(design::background), greenOf(design::background),
                                    blueOf(design::background)};

// Both return how many cells they looked at: only those of the grid rows and columns the clip
// meets, so a repaint of a few changed cells costs a few cells, not the whole board.
int paintBoard(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
               const QRect& logicalClip);
int paintBoard(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
               const QRegion& logicalArea);

} // namespace worm
