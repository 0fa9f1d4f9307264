// SwipeReader: the main axis of the travel since the last turn names the arrow.
#include "window/input/swipe_reader.h"

#include <cmath>

#include "window/handlers.h"

namespace worm {
namespace {

std::int16_t arrowAlong(double dx, double dy)
{
    if (std::abs(dx) > std::abs(dy)) {
        return dx > 0 ? keys::right : keys::left;
    }
    return dy > 0 ? keys::down : keys::up;
}

} // namespace

void SwipeReader::press(FingerPoint at)
{
    down_ = true;
    turned_ = false;
    pressed_ = anchor_ = at;
    last_ = 0;
}

std::optional<std::int16_t> SwipeReader::move(FingerPoint at)
{
    if (!down_) {
        return std::nullopt;
    }
    const double dx = at.x - anchor_.x, dy = at.y - anchor_.y;
    if (std::max(std::abs(dx), std::abs(dy)) < travel_) {
        return std::nullopt;
    }
    anchor_ = at; // the next turn is measured from here
    const std::int16_t arrow = arrowAlong(dx, dy);
    if (arrow == last_) {
        return std::nullopt; // still going the same way: one key per new direction
    }
    last_ = arrow;
    turned_ = true;
    return arrow;
}

std::optional<std::int16_t> SwipeReader::lift(FingerPoint at)
{
    if (!down_) {
        return std::nullopt;
    }
    if (auto arrow = move(at)) {
        down_ = false;
        return arrow; // a quick flick may travel far only between the last move and the lift
    }
    down_ = false;
    const bool still = std::hypot(at.x - pressed_.x, at.y - pressed_.y) < travel_;
    if (!turned_ && still && at.ms - pressed_.ms <= tapMs_) {
        return keys::space;
    }
    return std::nullopt;
}

} // namespace worm
