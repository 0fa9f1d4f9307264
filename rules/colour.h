// Fill colours as 24-bit RGB values, and the colours that carry a meaning in the rules.
#pragma once

#include <cstdint>

namespace worm {

// r + g * 2^8 + b * 2^16, the way the form stores a fill colour.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}

constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFFu); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFFu); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFFu); }

namespace colours {
inline constexpr Colour wall = rgb(255, 0, 0); // the template's colour, so the walls'
inline constexpr Colour collision = rgb(255, 0, 0);
inline constexpr Colour obstacle = rgb(50, 50, 0);
inline constexpr Colour mealObstacle = rgb(0, 0, 255);
inline constexpr Colour food = rgb(255, 255, 255);
inline constexpr Colour head = rgb(0, 150, 100);
inline constexpr Colour body = rgb(0, 255, 0);
} // namespace colours

} // namespace worm
