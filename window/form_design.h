// The game window's design values, restored at every load.
#pragma once

#include <cstdint>

#include "rules/colour.h"
#include "rules/form.h"

namespace worm::design {

inline constexpr double innerWidth = 8385;
inline constexpr double innerHeight = 7020;
inline constexpr const char* title = "worm";

inline constexpr Colour templateColour = rgb(255, 0, 0);
inline constexpr Shape templateShape = Shape::rectangle;
inline constexpr double templateLeft = 1920;
inline constexpr double templateTop = 2040;
inline constexpr double templateWidth = 1215;
inline constexpr double templateHeight = 495;

inline constexpr std::int32_t timerInterval = 0;

struct ButtonDesign {
    const char* caption;
    double left, top, width, height;
};
inline constexpr ButtonDesign gameover{"Game Over", 1800, 3240, 1095, 735};
inline constexpr ButtonDesign pause{"Pause", 3600, 3240, 1095, 735};
inline constexpr const char* buttonFontFamily = "Arial";
inline constexpr double buttonFontPoints = 14.25;

// The frame allowance init adds to the board: the rest of the outer size is the inner area.
inline constexpr double frameWidth = 100;
inline constexpr double frameHeight = 400;

inline constexpr double twipsPerInch = 1440;

// What hidden cells show, in every front end: light enough for the olive obstacles, dark enough
// for the white food.
inline constexpr Colour background = rgb(168, 168, 160);

} // namespace worm::design
