// listenToGamepads: a standard-mapping gamepad read once an animation frame while one is there.
#pragma once

#include "window/web/web_window.h"

namespace worm {

void listenToGamepads(WebWindow& window);

} // namespace worm
