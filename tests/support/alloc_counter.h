// Counts the heap allocations of a program that links it, to show a tick makes none.
#pragma once

#include <cstdint>

namespace worm::testing {

// Every operator new in this program, from its start.
std::uint64_t allocationCount();

} // namespace worm::testing
