// BoardCanvas: rectangles on whole device pixels stay crisp; the head's circle is smoothed.
#include "window/web/board_canvas.h"

#include <numbers>
#include <string>

#include "window/form_design.h"

namespace worm {

void BoardCanvas::useColour(Colour colour)
{
    if (fillKnown_ && fill_ == colour) {
        return;
    }
    fill_ = colour;
    fillKnown_ = true;
    context_.set("fillStyle", "rgb(" + std::to_string(redOf(colour)) + "," + std::to_string(greenOf(colour)) +
                                  "," + std::to_string(blueOf(colour)) + ")");
}

void BoardCanvas::fillRect(const PixelRect& box, Colour colour)
{
    useColour(colour);
    context_.call<void>("fillRect", box.x, box.y, box.width, box.height);
}

void BoardCanvas::paintCell(const CellRecord& c, const PixelRect& box)
{
    if (c.shape != Shape::circle) {
        fillRect(box, c.colour);
        return;
    }
    useColour(c.colour);
    const double rx = box.width / 2.0, ry = box.height / 2.0;
    context_.call<void>("beginPath");
    context_.call<void>("ellipse", box.x + rx, box.y + ry, rx, ry, 0, 0, 2 * std::numbers::pi);
    context_.call<void>("fill");
}

void BoardCanvas::paintAll(const FormModel& form, const BoardLayout& layout, int width, int height)
{
    fillKnown_ = false;
    fillRect(PixelRect{0, 0, width, height}, design::background);
    for (int k = 1; k < form.cellCount(); ++k) {
        const CellRecord& c = form.cell(k);
        if (c.visible) {
            paintCell(c, layout.cellRect(c));
        }
    }
}

void BoardCanvas::paintCells(const FormModel& form, const BoardLayout& layout,
                             const std::vector<std::int16_t>& cells)
{
    for (const auto k : cells) {
        if (k == 0 || !form.exists(k)) {
            continue; // the template is never drawn, and a cell gone with its board is repainted whole
        }
        const CellRecord& c = form.cell(k);
        const PixelRect box = layout.cellRect(c);
        fillRect(box, design::background);
        if (c.visible) {
            paintCell(c, box);
        }
    }
}

} // namespace worm
