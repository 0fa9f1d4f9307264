// runScript: turns bytes into the window's events and plays them on a watched game session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace worm {
class GameSession;
}

namespace worm::fuzz {

struct ScriptTotals {
    std::uint64_t inputs = 0;
    std::uint64_t events = 0;
};

// What an operation of another target reads and plays through the script.
class ScriptInput {
public:
    virtual std::uint8_t next() = 0; // 0 once the input is used up
    virtual void key(std::int16_t code) = 0;

protected:
    ~ScriptInput() = default;
};

// Lets another target play the same games with operations of its own mixed in, and look at the
// session after every event, before the board watch takes the changed cells.
class ScriptExtension {
public:
    virtual ~ScriptExtension() = default;
    virtual int operations() const = 0;
    virtual void operate(int op, ScriptInput& in) = 0; // op from 0 to operations() - 1
    virtual void afterEvent(const GameSession& session) = 0;
    virtual void finished(const GameSession& session) = 0; // after the input's last event
};

// Plays one input; any fault aborts the program with a report on stderr.
void runScript(const std::uint8_t* data, std::size_t size, ScriptExtension* extension = nullptr);

const ScriptTotals& totals();

// Reports what broke and aborts, so that the fuzzer keeps the input as a finding.
[[noreturn]] void finding(const std::string& what);

} // namespace worm::fuzz
