// The per-tick floor: the least any web front end does each 75 ms tick, on a page laid out like the
// game's: a new title, the same text in the visible score line, and three cell-sized squares filled
// on the board's canvas. The ticks start at the first arrow key, as the game's do, on the browser's
// repeating timer; every key is heard, and no other does anything.
#include <emscripten/em_js.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

namespace {

constexpr double period = 75; // ms

// The canvas fills the stage in whole device pixels, as the game's does, cleared to the background.
EM_JS(void, openBoard, (), {
    const stage = document.getElementById('stage').getBoundingClientRect();
    const canvas = document.getElementById('board');
    canvas.width = Math.floor(stage.width * devicePixelRatio);
    canvas.height = Math.floor(stage.height * devicePixelRatio);
    canvas.style.width = (canvas.width / devicePixelRatio) + 'px';
    canvas.style.height = (canvas.height / devicePixelRatio) + 'px';
    globalThis.floorContext = canvas.getContext('2d', {alpha : false});
    globalThis.floorLine = document.getElementById('score');
    floorContext.fillStyle = 'rgb(168,168,160)';
    floorContext.fillRect(0, 0, canvas.width, canvas.height);
});

// The new score line, then a head, the cell it left and the tail's cell.
EM_JS(void, tick, (int n, int headX, int headY, int neckX, int neckY, int tailX, int tailY), {
    const text = 'Score:  ' + n + '/ ' + n;
    document.title = text;
    floorLine.textContent = text;
    floorContext.fillStyle = 'rgb(0,150,100)';
    floorContext.fillRect(headX, headY, 9, 9);
    floorContext.fillStyle = 'rgb(0,255,0)';
    floorContext.fillRect(neckX, neckY, 9, 9);
    floorContext.fillStyle = 'rgb(168,168,160)';
    floorContext.fillRect(tailX, tailY, 9, 9);
});

// 9 px cells marching along the rows.
int cellX(int k) { return 9 * (k % 48 + 1); }
int cellY(int k) { return 9 * (k / 48 % 48 + 1); }

void tickAt(int n) { tick(n, cellX(n), cellY(n), cellX(n - 1), cellY(n - 1), cellX(n - 5), cellY(n - 5)); }

int ticks = 5; // so that the tail's cell is on the board from the first tick
bool ticking = false;

void onTimer(void*) { tickAt(++ticks); }

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void*)
{
    const bool arrow = e->keyCode >= 37 && e->keyCode <= 40;
    if (arrow && !ticking) {
        ticking = true;
        emscripten_set_interval(&onTimer, period, nullptr);
    }
    return arrow ? EM_TRUE : EM_FALSE;
}

} // namespace

int main()
{
    openBoard();
    tickAt(ticks); // the first title, as the game's first board has one
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onKeyDown);
    return 0;
}
