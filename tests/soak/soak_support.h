// Soak helpers: resident memory, and whether a leak checker owns the heap.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace worm::testing {

// VmRSS of this process in KiB, from /proc/self/status; -1 if it cannot be read.
inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// AddressSanitizer keeps freed memory in quarantine, so resident size says nothing there; its
// leak checker covers the same ground at exit.
constexpr bool underAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

} // namespace worm::testing
