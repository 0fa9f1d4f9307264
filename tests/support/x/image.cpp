// Image: Qt reads and writes the files and does the smooth scaling; the rest is plain pixels.
#include "tests/support/x/image.h"

#include <QImage>

namespace worm::xharness {
namespace {

QImage toQImage(const Image& image)
{
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            out.setPixel(x, y, 0xFF000000u | image.at(x, y));
        }
    }
    return out;
}

Image fromQImage(const QImage& in)
{
    const QImage rgb = in.convertToFormat(QImage::Format_RGB32);
    Image out(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            out.set(x, y, rgb.pixel(x, y) & 0xFFFFFFu);
        }
    }
    return out;
}

} // namespace

Image Image::crop(const PixelBox& box) const
{
    Image out(box.width, box.height);
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            out.set(x, y, at(box.x + x, box.y + y));
        }
    }
    return out;
}

bool savePng(const Image& image, const std::string& path)
{
    return toQImage(image).save(QString::fromStdString(path), "PNG");
}

Image rescaled(const Image& image, int width, int height)
{
    return fromQImage(toQImage(image).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace worm::xharness
