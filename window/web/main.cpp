// The page's program: one game window that lives as long as the page.
#include <emscripten/val.h>

#include <charconv>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "window/web/page_events.h"
#include "window/web/web_window.h"

namespace {

using emscripten::val;

std::uint32_t secondsSinceMidnight()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local); // the browser's own time zone
    return static_cast<std::uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

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
    return secondsSinceMidnight;
}

} // namespace

int main()
{
    static worm::WebWindow window(std::make_unique<worm::SeededRandom>(seedFunction()));
    worm::listenToPage(window);
    window.start();
    return 0;
}
