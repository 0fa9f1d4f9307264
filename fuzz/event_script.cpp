// The input format: a seed byte, then operations, each an opcode byte and its argument bytes.
// Keys may be any 16-bit code, clicks come whether or not the buttons show, and ticks arrive
// only while the timer runs, as the event loop delivers them.
#include "fuzz/event_script.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "tests/support/board_invariants.h"
#include "tests/support/scripted_random.h"
#include "window/handlers.h"

namespace worm::fuzz {
namespace {

using testing::BoardInvariants;
using testing::Event;
using testing::InvariantBroken;
using testing::ScriptedRandom;

ScriptTotals totals_;

// One input can drive a long game, but not so long that the fuzzer stalls on it.
constexpr std::uint64_t maxEventsPerInput = 20000;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class Player final : public ScriptInput {
public:
    Player(GameSession& session, ScriptedRandom& random, Bytes& in, ScriptExtension* extension)
        : session_(session), random_(random), in_(in), extension_(extension), watch_(session)
    {
        watch_.attach();
    }

    void play()
    {
        session_.load();
        done(Event::load);
        while (in_.more() && events_ < maxEventsPerInput) {
            step(in_);
        }
        watch_.finalCheck();
        if (extension_ != nullptr) {
            extension_->finished(session_);
        }
    }

    std::uint8_t next() override { return in_.next(); }

    void key(std::int16_t code) override
    {
        session_.keyDown(code);
        done(Event::key);
    }

private:
    static constexpr int ownOperations = 12;

    void step(Bytes& in)
    {
        static constexpr std::int16_t known[] = {keys::left, keys::up, keys::right, keys::down, keys::p};
        const int operations = ownOperations + (extension_ != nullptr ? extension_->operations() : 0);
        const int op = in.next() % operations;
        if (op >= ownOperations) {
            extension_->operate(op - ownOperations, *this);
            return;
        }
        switch (op) {
        case 0:
        case 1:
            key(known[in.next() % 5]);
            break;
        case 2: {
            const int low = in.next();
            key(static_cast<std::int16_t>(low | in.next() << 8)); // any code at all
            break;
        }
        case 3:
            session_.pauseClicked();
            done(Event::pauseClick);
            break;
        case 4:
            session_.gameoverClicked();
            done(Event::gameoverClick);
            break;
        case 5:
            ticks(1);
            break;
        case 6:
            ticks(in.next() + 1);
            break;
        case 7:
            ticks((in.next() + 1) * 32);
            break;
        case 8: {
            const int n = (in.next() + 1) * 16;
            resumingTicks(n, in.next());
            break;
        }
        case 9:
            random_.queueByte(in.next());
            break;
        case 10:
            random_.queueByte(in.next());
            random_.queueByte(in.next());
            break;
        case 11:
            // Points a long game could have gathered, so that a meal can change the level.
            session_.state().points = 4745 + in.next();
            break;
        }
    }

    void ticks(int n)
    {
        for (int i = 0; i < n && session_.ticking() && events_ < maxEventsPerInput; ++i) {
            session_.tick();
            done(Event::tick);
        }
    }

    // Plays on through every collision with a key that is not P, the way a stubborn player does.
    void resumingTicks(int n, std::uint8_t code)
    {
        const std::int16_t resume = code == keys::p ? 0 : code;
        for (int i = 0; i < n && events_ < maxEventsPerInput; ++i) {
            if (!session_.ticking()) {
                key(resume);
                if (!session_.ticking()) {
                    return; // no heading yet: keys do not resume
                }
            }
            session_.tick();
            done(Event::tick);
        }
    }

    void done(Event e)
    {
        ++events_;
        ++totals_.events;
        if (extension_ != nullptr) {
            extension_->afterEvent(session_);
        }
        watch_.afterEvent(e);
    }

    GameSession& session_;
    ScriptedRandom& random_;
    Bytes& in_;
    ScriptExtension* extension_;
    BoardInvariants watch_;
    std::uint64_t events_ = 0;
};

} // namespace

void runScript(const std::uint8_t* data, std::size_t size, ScriptExtension* extension)
{
    ++totals_.inputs;
    Bytes in(data, size);
    auto random = std::make_unique<ScriptedRandom>(in.next());
    ScriptedRandom& r = *random;
    try {
        GameSession session(std::move(random));
        Player player(session, r, in, extension);
        player.play();
    } catch (const InvariantBroken& e) {
        finding(e.what());
    } catch (const std::exception& e) {
        // No staged state comes near the points limit, so every error here is a fault.
        finding(std::string("uncaught ") + e.what());
    }
}

const ScriptTotals& totals() { return totals_; }

void finding(const std::string& what)
{
    std::fprintf(stderr, "worm_fuzz: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace worm::fuzz
