// Counts the heap allocations the benchmark binary makes, to show a tick makes none.
#pragma once

#include <cstdint>

namespace worm::bench {

// Every operator new in this program, from its start.
std::uint64_t allocationCount();

} // namespace worm::bench
