// waitUntil: polls a condition until it holds or a deadline passes; every wait stretches by the
// one slack factor a slower build (a sanitizer's, say) is given through WORM_TEST_SLACK.
#pragma once

#include <chrono>
#include <thread>

namespace worm::xharness {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// WORM_TEST_SLACK as a positive number, 1 when it is unset or not one.
double slack();

// A duration stretched by the slack factor.
template <typename Rep, typename Period> Clock::duration scaled(std::chrono::duration<Rep, Period> d)
{
    return std::chrono::duration_cast<Clock::duration>(d * slack());
}

// Generous by default: the machine running the suite may be busy with other builds.
inline constexpr auto defaultTimeout = 8s;

// The timeout is stretched by the slack; the polling interval is not.
template <typename Condition>
bool waitUntil(Condition&& done, Clock::duration timeout = defaultTimeout, Clock::duration poll = 5ms)
{
    const auto deadline = Clock::now() + scaled(timeout);
    while (true) {
        if (done()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(poll);
    }
}

} // namespace worm::xharness
