// gameIcon: the icon's pixels, rendered from its SVG when the game was built.
#include "window/qt/game_icon.h"

#include <QImage>
#include <QPixmap>

#include "icon_pixels.h"

namespace worm {

QIcon gameIcon()
{
    QIcon icon;
    for (const icon::Image& image : icon::images) {
        // The pixels are the program's own constants: the image only reads them.
        const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.size, image.size,
                            QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(pixels));
    }
    return icon;
}

} // namespace worm
