// BoardCanvas: paints the model's cells on a 2D canvas in device pixels, all or only some.
#pragma once

#include <cstdint>
#include <vector>

#include "window/board_layout.h"
#include "window/form_model.h"

namespace worm {

class BoardCanvas {
public:
    // The whole canvas: background, then every visible cell. Resizing the canvas forgets the
    // fill colour, so this starts afresh.
    void paintAll(const FormModel& form, const BoardLayout& layout, int width, int height);

    // Only the cells named, each over the background of its own box.
    void paintCells(const FormModel& form, const BoardLayout& layout, const std::vector<std::int16_t>& cells);

private:
    void paintCell(const CellRecord& c, const PixelRect& box);
    void fillRect(const PixelRect& box, Colour colour);
    void useColour(Colour colour);

    Colour fill_ = 0;
    bool fillKnown_ = false;
};

} // namespace worm
