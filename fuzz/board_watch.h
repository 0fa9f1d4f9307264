// BoardWatch: checks a session after every event against what the rules allow, and stops the
// program on the first thing they do not.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "window/game_session.h"

namespace worm::fuzz {

enum class Event : std::uint8_t { load, key, tick, pauseClick, gameoverClick };

class BoardWatch {
public:
    explicit BoardWatch(GameSession& session) : session_(session) {}

    // Called by the load handler once Form_Load has built a board.
    void boardLoaded();
    void afterEvent(Event e);
    void finalCheck();

private:
    static constexpr int cells = 2501; // the template and the 2500 board cells

    void checkCounters() const;
    void checkTitle() const;
    void checkScoreStep(Event e);
    void checkFreshBoard(Event e) const;
    void checkCell(int k) const;
    void checkEveryCell() const;
    void checkTrail() const;

    GameSession& session_;
    std::bitset<cells> entered_;   // cells the head has been on since this board was built
    std::bitset<cells> obstacles_; // the board build's obstacles
    int meals_ = 0;                // meals on this board, each adding one blue obstacle
    int loads_ = 0;
    int loadsChecked_ = 0;
    std::int64_t score_ = 0;
    std::int64_t best_ = 0;
    std::uint64_t events_ = 0;
};

// Reports what broke and aborts, so that the fuzzer keeps the input as a finding.
[[noreturn]] void finding(const std::string& what);

} // namespace worm::fuzz
