// listenToFingers: touch and pen pointers anywhere on the page but the buttons steer the window.
#pragma once

#include "window/web/web_window.h"

namespace worm {

void listenToFingers(WebWindow& window);

} // namespace worm
