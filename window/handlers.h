// The window's event handlers: its load, the keyboard and the two buttons.
#pragma once

#include <cstdint>

#include "rules/game.h"

namespace worm {

// The virtual key codes the keyboard handler knows.
namespace keys {
inline constexpr std::int16_t left = 37;
inline constexpr std::int16_t up = 38;
inline constexpr std::int16_t right = 39;
inline constexpr std::int16_t down = 40;
inline constexpr std::int16_t p = 80;
// The space bar: neither an arrow nor P, so it only resumes; what a tap or a pad's south button sends.
inline constexpr std::int16_t space = 32;
} // namespace keys

void Form_Load(Game& game);
void Form_KeyDown(Game& game, std::int16_t keyCode);
void pause_Click(Game& game);
void gameover_Click(Game& game);

} // namespace worm
