// The page's program: one game window that lives as long as the page.
#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "window/local_clock.h"
#include "window/web/gamepad_poll.h"
#include "window/web/page_events.h"
#include "window/web/web_window.h"

// The browser tests pin the seed with ?seed=N, so that every board they build is the same one: N
// in decimal digits that fit 32 bits; -1 for none.
// clang-format off
EM_JS(double, worm_seed_in_address, (), {
    var seed = new URLSearchParams(location.search).get('seed');
    return seed !== null && seed.length > 0 && !/[^0-9]/.test(seed) && Number(seed) <= 4294967295 ? Number(seed) : -1;
});
// clang-format on

namespace {

std::optional<std::uint32_t> seedFromAddress()
{
    const double seed = worm_seed_in_address();
    if (seed < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seed);
}

worm::SeededRandom::SeedFunction seedFunction()
{
    if (const auto fixed = seedFromAddress()) {
        return [n = *fixed] { return n; };
    }
    return worm::secondsSinceMidnight;
}

// What the first tick does not need waits until the first board is drawn.
void afterFirstBoard(void* window) { worm::listenToGamepads(*static_cast<worm::WebWindow*>(window)); }

} // namespace

int main()
{
    static worm::WebWindow window(std::make_unique<worm::SeededRandom>(seedFunction()));
    window.start();
    worm::listenToPage(window);
    emscripten_set_timeout(afterFirstBoard, 0, &window);
    return 0;
}
