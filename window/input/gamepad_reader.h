// GamepadReader: turns polls of a standard-mapping gamepad into the game's key codes and clicks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "window/form_model.h"

namespace worm {

// One poll of a standard-mapping pad: buttons by their standard index, the left stick's axes.
struct PadSnapshot {
    // 0 south, 1 east, 2 west, 3 north, ..., 8 select/back, 9 start, 12 up, 13 down, 14 left, 15 right
    std::array<bool, 17> pressed{};
    double stickX = 0, stickY = 0; // axes 0 and 1, -1..1, positive right and down
};

// What a poll asks of the game: a key code for Form_KeyDown, or a click on one of the two buttons.
struct PadCommand {
    enum class Kind : std::uint8_t { key, click } kind = Kind::key;
    std::int16_t keyCode = 0;
    Button button = Button::pause;
};

class GamepadReader {
public:
    // The commands for what changed since the previous poll, in order; at most a few. The form
    // says which of the board's buttons is showing. Returns how many were written to out.
    std::size_t poll(const PadSnapshot& now, const FormModel& form, std::array<PadCommand, 4>& out);
    void reset(); // the pad went away: forget what was held

private:
    enum class Way : std::uint8_t { none, up, down, left, right };
    Way dpadWay(const PadSnapshot& now) const;
    Way stickWay(const PadSnapshot& now) const;

    std::array<bool, 17> held_{};
    Way stick_ = Way::none; // the stick's own way, kept until it clearly lets go
    Way way_ = Way::none;   // the pad's way, d-pad first, last sent as an arrow
};

} // namespace worm
