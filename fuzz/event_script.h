// runScript: turns bytes into the window's events and plays them on a watched game session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace worm::fuzz {

struct ScriptTotals {
    std::uint64_t inputs = 0;
    std::uint64_t events = 0;
};

// Plays one input; any fault aborts the program with a report on stderr.
void runScript(const std::uint8_t* data, std::size_t size);

const ScriptTotals& totals();

// Reports what broke and aborts, so that the fuzzer keeps the input as a finding.
[[noreturn]] void finding(const std::string& what);

} // namespace worm::fuzz
