// The start floor: the least a WebAssembly page does before its first board shows. One 50 x 50
// board of plain squares, drawn once on a canvas that fills the stage as the game's does, then
// the title set, which is when the figures take the board as drawn.
#include <emscripten/em_js.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

namespace {

// Sizes the canvas to the stage in whole device pixels, as the game does, and keeps its context.
EM_JS(void, openCanvas, (int width, int height, double dpr), {
    const canvas = document.getElementById('board');
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = (width / dpr) + 'px';
    canvas.style.height = (height / dpr) + 'px';
    globalThis.floorContext = canvas.getContext('2d', {alpha : false});
});

EM_JS(void, fillSquare, (int x, int y, int side, int wall), {
    floorContext.fillStyle = wall ? 'rgb(255,0,0)' : 'rgb(168,168,160)';
    floorContext.fillRect(x, y, side, side);
});

EM_JS(void, setTitle, (), { document.title = 'Score:  0/ 0'; });

} // namespace

int main()
{
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size("#stage", &cssWidth, &cssHeight);
    const double dpr = emscripten_get_device_pixel_ratio();
    const int width = std::max(1, static_cast<int>(std::floor(cssWidth * dpr)));
    const int height = std::max(1, static_cast<int>(std::floor(cssHeight * dpr)));
    openCanvas(width, height, dpr);
    const int side = std::max(1, std::min(width, height) / 50);
    for (int row = 0; row < 50; ++row) {
        for (int col = 0; col < 50; ++col) {
            const bool wall = row == 0 || col == 0 || row == 49 || col == 49;
            fillSquare(col * side, row * side, side, wall ? 1 : 0);
        }
    }
    setTitle();
    return 0;
}
