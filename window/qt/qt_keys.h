// The toolkit's keys as the virtual key codes the keyboard handler reads.
#pragma once

#include <cstdint>

namespace worm {

// Keys without a code of their own still arrive, so that any key can resume the game.
std::int16_t virtualKeyCode(int qtKey);

} // namespace worm
