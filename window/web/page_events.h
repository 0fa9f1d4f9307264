// listenToPage: routes the page's keys, fingers, button clicks, resizes and tab visibility to the
// window.
#pragma once

#include "window/web/web_window.h"

namespace worm {

void listenToPage(WebWindow& window);

} // namespace worm
