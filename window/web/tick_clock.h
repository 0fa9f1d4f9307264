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
    // tick falls due a period after this one was due, not after now, so lateness never adds up.
    // A whole period missed (a tab the browser held back in the background) is not made up: the
    // count starts again from now, as the desktop's precise timer does, so no burst follows.
    // Within the browser's millisecond of the due time, that millisecond included, counts as due:
    // a clock that reads whole milliseconds (Firefox, WebKit) can read a timer that went off on
    // time as a millisecond short.
    bool fire(double nowMs)
    {
        if (nowMs < due_ - granularityMs) {
            return false; // early: wait for the rest
        }
        due_ += period_;
        if (due_ <= nowMs) {
            due_ = nowMs + period_;
        }
        return true;
    }

    // How long a timer set at nowMs waits for the next tick. Browsers count timers in whole
    // milliseconds and drop the fraction, so the wait is the whole milliseconds left: never past
    // the due time, and never more than a millisecond short of it. Yet never under 4 ms: every
    // engine stretches a timer set from a timer to 4 ms once five deep, as the page's are while
    // it ticks, so a shorter one would only pretend. With less than that left (an early timer, or
    // a late tick) the next tick comes under 4 ms after its due time, as the browser would have it.
    double delay(double nowMs) const { return std::max(shortestMs, std::floor(due_ - nowMs)); }

    double due() const { return due_; }

private:
    static constexpr double granularityMs = 1;
    static constexpr double shortestMs = 4;
    double period_ = 0;
    double due_ = 0;
};

} // namespace worm
