// BoardCanvas: rectangles on whole device pixels stay crisp; the head's circle is smoothed.
#include "window/web/board_canvas.h"

#include <emscripten/emscripten.h>

#include <array>
#include <string_view>

#include "window/form_design.h"

// The canvas calls of every cell go straight to the board's context, which the page keeps. No
// number is turned into text in JavaScript: the first two numbers that share a slot of V8's small
// cache of number strings grow it to 64 KiB for the page's whole life. Colours come as "#rrggbb".
// clang-format off
// Each colour's text is decoded once and kept by its number: a tick changes colour several times.
EM_JS(void, worm_fill_style, (int number, const char* colour), {
    var page = Module.wormPage;
    var names = page.colours || (page.colours = new Map());
    var name = names.get(number);
    if (name === undefined) {
        names.set(number, name = UTF8ToString(colour));
    }
    page.context.fillStyle = name;
});
EM_JS(void, worm_fill_rect, (int x, int y, int width, int height), {
    Module.wormPage.context.fillRect(x, y, width, height);
});
// The circle is drawn once a colour, over the board's background, into an image of the cell's size,
// then copied whole: one call a tick, and no background filled under it. Drawn straight on the
// board, WebKit smooths its edge onto the pixels around the cell, which no repaint of the cell
// alone would ever clear. Only the images of the current cell size are kept: a window dragged
// wider passes through many sizes.
EM_JS(void, worm_draw_circle, (int x, int y, int width, int height, int colour, const char* hex, const char* background), {
    var page = Module.wormPage;
    var size = width * 65536 + height;
    if (page.headSize !== size) {
        page.headSize = size;
        page.heads = new Map();
    }
    var image = page.heads.get(colour);
    if (!image) {
        image = document.createElement('canvas');
        image.width = width;
        image.height = height;
        var h = image.getContext('2d', {alpha : false});
        h.fillStyle = UTF8ToString(background);
        h.fillRect(0, 0, width, height);
        h.fillStyle = UTF8ToString(hex);
        h.beginPath();
        h.ellipse(width / 2, height / 2, width / 2, height / 2, 0, 0, 2 * Math.PI);
        h.fill();
        page.heads.set(colour, image);
    }
    page.context.drawImage(image, x, y);
});
// clang-format on

namespace worm {

namespace {

// "#rrggbb": a colour as the canvas takes it, made without turning a number into text in
// JavaScript.
constexpr std::array<char, 8> hexOf(Colour colour)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::array<char, 8> hex{'#'};
    std::size_t at = 1;
    for (const int part : {redOf(colour), greenOf(colour), blueOf(colour)}) {
        hex[at++] = digits[static_cast<std::size_t>(part >> 4)];
        hex[at++] = digits[static_cast<std::size_t>(part & 15)];
    }
    return hex;
}

constexpr std::array<char, 8> backgroundHex = hexOf(design::background);

} // namespace

void BoardCanvas::useColour(Colour colour)
{
    if (fillKnown_ && fill_ == colour) {
        return;
    }
    fill_ = colour;
    fillKnown_ = true;
    worm_fill_style(static_cast<int>(colour), hexOf(colour).data());
}

void BoardCanvas::fillRect(const PixelRect& box, Colour colour)
{
    useColour(colour);
    worm_fill_rect(box.x, box.y, box.width, box.height);
}

// Either shape covers its box whole.
void BoardCanvas::paintCell(const CellRecord& c, const PixelRect& box)
{
    if (c.shape != Shape::circle) {
        fillRect(box, c.colour);
        return;
    }
    worm_draw_circle(box.x, box.y, box.width, box.height, static_cast<int>(c.colour), hexOf(c.colour).data(),
                     backgroundHex.data());
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
        if (c.visible) {
            paintCell(c, box);
        } else {
            fillRect(box, design::background);
        }
    }
}

} // namespace worm
