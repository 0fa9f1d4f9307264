// gameIcon: renders the SVG built into the program at the common icon sizes.
#include "window/qt/game_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace worm {

QIcon gameIcon()
{
    QSvgRenderer svg(QStringLiteral(":/" WORM_APP_ID ".svg"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace worm
