// Image: a window's pixels as 0xRRGGBB, row by row, and PNG files of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace worm::xharness {

// A rectangle in pixels.
struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    Image() = default;
    Image(int w, int h, std::uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }
    std::uint32_t at(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, std::uint32_t rgb) { pixels[index(x, y)] = rgb; }
    Image crop(const PixelBox& box) const; // the box must lie inside

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
};

bool savePng(const Image& image, const std::string& path);
// Smooth scaling, as a toolkit or compositor would do it to a whole window.
Image rescaled(const Image& image, int width, int height);

} // namespace worm::xharness
