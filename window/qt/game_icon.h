// gameIcon: the game's icon, as the window shows it.
#pragma once

#include <QIcon>

namespace worm {

// The installed SVG icon, drawn at build time at the sizes Qt's X11 window takes from a scalable
// icon. Rendering the SVG at run time, through QtSvg or its icon plugin, added about 1 MiB to the
// game's resident memory after start; these pixels add about a third of that.
QIcon gameIcon();

} // namespace worm
