// BoardInvariants: checks a session after every event against what the rules allow; the first
// thing they do not allow throws InvariantBroken (a test failure, or a fuzzer finding).
#pragma once

#include <bitset>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "window/game_session.h"

namespace worm::testing {

enum class Event : std::uint8_t { load, key, tick, pauseClick, gameoverClick };

struct InvariantBroken : std::logic_error {
    using std::logic_error::logic_error;
};

// Whether cell k lies on the board's outer ring, the wall.
bool isWall(int k);

class BoardInvariants {
public:
    // Every cell is checked after every fullCheckEvery-th event, and after each rebuild; in
    // between only the cells the event marked for repaint.
    explicit BoardInvariants(GameSession& session, int fullCheckEvery = 64);

    // Makes every board build of the session report to this checker; call before the first load.
    void attach();
    void afterEvent(Event e);
    void finalCheck();

    std::int64_t loads() const { return loads_; }

private:
    static constexpr int cells = 2501; // the template and the 2500 board cells

    void boardLoaded();
    void checkCounters() const;
    void checkTitle() const;
    void checkScoreStep(Event e);
    void checkFreshBoard(Event e) const;
    void checkCell(int k) const;
    void checkEveryCell();
    void checkTrail() const;
    void markWorm();

    GameSession& session_;
    int fullCheckEvery_;
    std::bitset<cells> entered_;   // cells the head has been on since this board was built
    std::bitset<cells> obstacles_; // the board build's obstacles
    std::bitset<cells> worm_;      // the trail from past the tail to the head, at a full check
    bool wormKnown_ = false;       // worm_ describes the cells as they are now
    bool collided_ = false;        // a tick on this board has stopped the game
    int meals_ = 0;                // meals on this board, each adding one blue obstacle
    std::int64_t loads_ = 0;
    std::int64_t loadsChecked_ = 0;
    std::int64_t score_ = 0;
    std::int64_t best_ = 0;
    std::uint64_t events_ = 0;
};

} // namespace worm::testing
