// TickClock: when the next tick is due on a monotonic clock, so the period neither drifts nor
// bunches up, however late the browser's timers go off.
#pragma once

#include <algorithm>
#include <cmath>

namespace worm {

class TickClock {
public:
    // Ticks fall due every period from now on.
    void start(double nowMs, double periodMs)
    {
        period_ = periodMs;
        due_ = nowMs + periodMs;
    }

    // A timer went off at nowMs: true if a tick is due, at most one however late it is. The next
    // tick falls due a whole period after this one was due, not after now, so lateness never adds
    // up; periods missed altogether (a hidden tab the browser held back) are skipped, not made up
    // in a burst.
    bool fire(double nowMs)
    {
        if (nowMs < due_) {
            return false; // early: wait for the rest
        }
        due_ += period_ * (std::floor((nowMs - due_) / period_) + 1);
        return true;
    }

    // How long a timer set at nowMs waits for the next tick, in whole milliseconds so that it
    // does not go off just before the tick is due.
    double delay(double nowMs) const { return std::ceil(std::max(0.0, due_ - nowMs)); }

    double due() const { return due_; }

private:
    double period_ = 0;
    double due_ = 0;
};

} // namespace worm
