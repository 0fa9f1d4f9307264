// icon_raster: a build tool that renders the SVG icon into the C++ header game_icon.cpp draws from.
// Usage: icon_raster ICON.svg OUTPUT.h
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// What Qt's X11 window asks a scalable icon for; window managers scale from the nearest.
constexpr int sizes[] = {16, 32, 64, 128};

void writeImage(std::FILE* out, QSvgRenderer& svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    std::fprintf(out, "inline constexpr std::uint32_t pixels%d[] = {", size);
    for (int y = 0; y < size; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            std::fprintf(out, "%s0x%08x,", x % 8 == 0 ? "\n    " : " ", line[x]);
        }
    }
    std::fprintf(out, "\n};\n");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_raster ICON.svg OUTPUT.h\n");
        return 2;
    }
    const QString svgFile = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer svg(svgFile);
    if (!svg.isValid()) {
        std::fprintf(stderr, "icon_raster: %s is no SVG image it can draw\n", argv[1]);
        return 1;
    }
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(out,
                 "// The window icon's pixels, premultiplied ARGB; written by icon_raster from %s.\n"
                 "#pragma once\n\n#include <cstdint>\n\nnamespace worm::icon {\n\n",
                 QFileInfo(svgFile).fileName().toLocal8Bit().constData());
    for (const int size : sizes) {
        writeImage(out, svg, size);
    }
    std::fprintf(out, "\nstruct Image {\n    int size;\n    const std::uint32_t* pixels;\n};\n\n"
                      "inline constexpr Image images[] = {");
    for (const int size : sizes) {
        std::fprintf(out, "{%d, pixels%d}, ", size, size);
    }
    std::fprintf(out, "};\n\n} // namespace worm::icon\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
