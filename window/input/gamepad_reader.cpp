// GamepadReader: the d-pad and stick steer on each new way, South resumes, North clicks, Start pauses.
#include "window/input/gamepad_reader.h"

#include "window/handlers.h"

namespace worm {
namespace {

// The standard mapping's buttons the game reads; the d-pad's four follow up in Way's order.
constexpr std::size_t south = 0, north = 3, start = 9, dpadUp = 12;

// The stick takes a way past press and keeps it until it falls below release, so a stick resting
// near either threshold does not chatter; another way takes over only with a lead of the same gap.
constexpr double press = 0.5, release = 0.3;

constexpr std::array<std::int16_t, 5> arrowOf{0, keys::up, keys::down, keys::left, keys::right};

} // namespace

// The newest press wins, so rolling a thumb from one arrow to the next turns at once; a way still
// held is kept while its neighbour is let go.
GamepadReader::Way GamepadReader::dpadWay(const PadSnapshot& now) const
{
    Way kept = Way::none, first = Way::none;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t b = dpadUp + i;
        if (!now.pressed[b]) {
            continue;
        }
        const auto way = static_cast<Way>(i + 1);
        if (!held_[b]) {
            return way;
        }
        kept = way == way_ ? way : kept;
        first = first == Way::none ? way : first;
    }
    return kept != Way::none ? kept : first;
}

GamepadReader::Way GamepadReader::stickWay(const PadSnapshot& now) const
{
    const std::array<double, 5> push{0, -now.stickY, now.stickY, -now.stickX, now.stickX};
    std::size_t best = 0;
    for (std::size_t i = 1; i < push.size(); ++i) {
        best = push[i] > push[best] ? i : best;
    }
    const Way strongest = push[best] > press ? static_cast<Way>(best) : Way::none;
    const auto held = static_cast<std::size_t>(stick_);
    if (stick_ == Way::none || push[held] < release) {
        return strongest;
    }
    return push[best] > push[held] + (press - release) ? strongest : stick_;
}

std::size_t GamepadReader::poll(const PadSnapshot& now, const FormModel& form, std::array<PadCommand, 4>& out)
{
    std::size_t n = 0;
    const auto key = [&](std::int16_t code) { out[n++] = PadCommand{PadCommand::Kind::key, code}; };
    const auto pressedNow = [&](std::size_t b) { return now.pressed[b] && !held_[b]; };

    stick_ = stickWay(now);
    const Way dpad = dpadWay(now);
    const Way way = dpad != Way::none ? dpad : stick_;
    if (way != way_ && way != Way::none) {
        key(arrowOf[static_cast<std::size_t>(way)]);
    }
    way_ = way;
    if (pressedNow(south)) {
        key(keys::space);
    }
    if (pressedNow(north)) {
        for (const Button b : {Button::gameover, Button::pause}) {
            if (form.button(b).visible) {
                out[n++] = PadCommand{PadCommand::Kind::click, 0, b};
                break;
            }
        }
    }
    if (pressedNow(start)) { // last, so that a pause pressed together with anything else wins
        key(keys::p);
    }
    held_ = now.pressed;
    return n;
}

void GamepadReader::reset()
{
    held_ = {};
    stick_ = Way::none;
    way_ = Way::none;
}

} // namespace worm
