// The page's program: one game window that lives as long as the page.
#include <emscripten/val.h>

#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "window/local_clock.h"
#include "window/web/gamepad_poll.h"
#include "window/web/page_events.h"
#include "window/web/web_window.h"

namespace {

using emscripten::val;

// The browser tests pin the seed with ?seed=N, so that every board they build is the same one.
std::optional<std::uint32_t> seedFromAddress()
{
    const val params = val::global("URLSearchParams").new_(val::global("location")["search"]);
    const val seed = params.call<val>("get", std::string("seed"));
    if (!seed.isString()) {
        return std::nullopt;
    }
    const std::string text = seed.as<std::string>();
    std::uint32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return n;
}

worm::SeededRandom::SeedFunction seedFunction()
{
    if (const auto fixed = seedFromAddress()) {
        return [n = *fixed] { return n; };
    }
    return worm::secondsSinceMidnight;
}

} // namespace

int main()
{
    static worm::WebWindow window(std::make_unique<worm::SeededRandom>(seedFunction()));
    worm::listenToPage(window);
    worm::listenToGamepads(window);
    window.start();
    return 0;
}
