// BoardPainter: draws the background and every visible cell of the model that meets the clip.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include <vector>

#include "window/board_layout.h"
#include "window/form_design.h"
#include "window/form_model.h"

namespace worm {

// What hidden cells show.
inline const QColor boardBackground{redOf(design::background), greenOf(design::background),
                                    blueOf(design::background)};

class BoardPainter {
public:
    // Both return how many cells they looked at: only those of the grid rows and columns the clip
    // meets, so a repaint of a few changed cells costs a few cells, not the whole board.
    int paint(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
              const QRect& logicalClip);
    int paint(QPainter& painter, const FormModel& form, const BoardLayout& layout, qreal devicePixelRatio,
              const QRegion& logicalArea);

private:
    int paintCells(QPainter& painter, const FormModel& form, const BoardLayout& layout, const QRect& clip);
    void paintCell(QPainter& painter, const CellRecord& c, const QRect& box);
    const QImage& circle(QColor colour, QSize size);

    // Round cells drawn once on the background and then copied: an antialiased ellipse every
    // tick cost the window more than all its other painting.
    struct Stamp {
        QRgb colour;
        QSize size;
        QImage image;
    };
    std::vector<Stamp> circles_;
};

} // namespace worm
