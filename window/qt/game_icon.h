// gameIcon: the game's SVG icon, as the window shows it.
#pragma once

#include <QIcon>

namespace worm {

// The installed SVG icon, drawn at the sizes window managers and task bars ask for. Rendering it
// here, rather than through an icon plugin, keeps the icon from depending on what is installed.
QIcon gameIcon();

} // namespace worm
