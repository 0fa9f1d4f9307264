// paintBoard: draws the background and every visible cell of the model that meets the clip.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include "window/board_layout.h"
#include "window/form_model.h"

namespace worm {

// What hidden cells show: light enough for the olive obstacles, dark enough for white food.
inline const QColor boardBackground{168, 168, 160};

void paintBoard(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
                const QRect& logicalClip);

} // namespace worm
