// waitUntil: polls a condition every few milliseconds until it holds or a deadline passes.
#pragma once

#include <chrono>
#include <thread>

namespace worm::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Generous by default: the machine running the suite may be busy with other builds.
inline constexpr auto defaultTimeout = 8s;

template <typename Condition>
bool waitUntil(Condition&& done, Clock::duration timeout = defaultTimeout,
               Clock::duration poll = std::chrono::milliseconds(5))
{
    const auto deadline = Clock::now() + timeout;
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

} // namespace worm::e2e
