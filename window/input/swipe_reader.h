// SwipeReader: one finger's path on the board turned into the key codes the keyboard handler knows.
#pragma once

#include <cstdint>
#include <optional>

namespace worm {

// A finger on the board, in any unit the caller likes (the web page gives CSS pixels), at a time in
// milliseconds.
struct FingerPoint {
    double x = 0, y = 0, ms = 0;
};

class SwipeReader {
public:
    // A press that moves less than `travel` before it lifts, within `tapMs`, is a tap.
    explicit SwipeReader(double travel = 16, double tapMs = 400) : travel_(travel), tapMs_(tapMs) {}

    void press(FingerPoint at);
    // An arrow as soon as the finger has gone `travel` along one axis more than along the other,
    // once per new direction: a tick is 75 ms, so the turn cannot wait for the lift. The count
    // starts again where it turned, so a finger that keeps moving can turn again.
    std::optional<std::int16_t> move(FingerPoint at);
    // A tap is the space bar (keys::space), which only resumes.
    std::optional<std::int16_t> lift(FingerPoint at);
    void cancel() { down_ = false; }

private:
    double travel_, tapMs_;
    bool down_ = false;
    bool turned_ = false; // this press has sent an arrow, so its lift is no tap
    FingerPoint pressed_{}, anchor_{};
    std::int16_t last_ = 0;
};

} // namespace worm
