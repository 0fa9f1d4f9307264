// A million ticks of one stubborn game: resumed after every collision, steered at random, the
// head wandering off the board and back, and every counter in range throughout.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "tests/support/board_invariants.h"
#include "window/game_session.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

struct Wander {
    std::int64_t offBoard = 0; // ticks with the head outside the 50 x 50 board
    std::int64_t returns = 0;  // times it came back onto the board
    std::int64_t resumes = 0;  // collisions played through
    std::int64_t levels = 0;
};

// Three in four changes of mind head back towards the centre, so the worm strays and returns.
std::int16_t choose(const GameState& s, std::mt19937& steer)
{
    static constexpr std::int16_t arrows[] = {keys::left, keys::up, keys::right, keys::down};
    if (steer() % 4 == 0) {
        return arrows[steer() % 4];
    }
    const std::int64_t dx = 25 - s.headx;
    const std::int64_t dy = 25 - s.heady;
    if (std::abs(dx) > std::abs(dy)) {
        return dx < 0 ? keys::left : keys::right;
    }
    return dy < 0 ? keys::up : keys::down;
}

bool onBoard(const GameState& s) { return s.headx >= 1 && s.headx <= 50 && s.heady >= 1 && s.heady <= 50; }

TEST(LongGame, aMillionTicksResumingAfterEveryCollision)
{
    GameSession session(std::make_unique<SeededRandom>([] { return 4242u; }));
    BoardInvariants board(session);
    board.attach();
    session.load();
    board.afterEvent(Event::load);
    std::mt19937 steer(99);
    Wander w;
    bool wasOff = false;
    for (int i = 0; i < 1'000'000; ++i) {
        if (session.state().direction.empty() || i % 23 == 0) {
            session.keyDown(choose(session.state(), steer)); // a new board, or a change of mind
            ASSERT_NO_THROW(board.afterEvent(Event::key)) << "before tick " << i;
        }
        if (!session.ticking()) {
            session.keyDown(65); // 'A': anything but P plays on
            ASSERT_NO_THROW(board.afterEvent(Event::key)) << "before tick " << i;
            ++w.resumes;
        }
        const std::int64_t headposBefore = session.state().headpos;
        session.tick();
        w.levels += session.state().headpos == 2 && headposBefore != 1 ? 1 : 0;
        const bool off = !onBoard(session.state());
        w.offBoard += off ? 1 : 0;
        w.returns += wasOff && !off ? 1 : 0;
        wasOff = off;
        ASSERT_NO_THROW(board.afterEvent(Event::tick)) << "after tick " << i;
    }
    ASSERT_NO_THROW(board.finalCheck());
    EXPECT_GT(w.offBoard, 1000);
    EXPECT_GT(w.returns, 10);
    EXPECT_GT(w.resumes, 1000);
    EXPECT_GT(w.levels, 10);
    std::printf("off board %lld ticks, back %lld times, %lld resumes, %lld level changes\n",
                static_cast<long long>(w.offBoard), static_cast<long long>(w.returns),
                static_cast<long long>(w.resumes), static_cast<long long>(w.levels));
}

} // namespace
} // namespace worm::testing
