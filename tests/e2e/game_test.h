// GameTest: one Xvfb for the test binary, a fresh game process for every case, and the checks
// the cases share.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/x/running_game.h"

namespace worm::e2e {

using namespace xharness;

class GameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    RunningGame& game() { return *game_; }
    // What SetUp starts: the built game, unless a fixture names another program or environment.
    std::string program_ = gameExecutable(WORM_EXECUTABLE);
    std::vector<std::string> environment_;
    const Board& firstBoard() const { return first_; }
    const Score& firstScore() const { return firstScore_; }

    // Cells hidden by a button: most of its area, so a stray pixel never counts.
    bool pauseShown(const Board& b) { return b.coveredInside(game().pauseButton()) >= 20; }
    bool gameoverShown(const Board& b) { return b.coveredInside(game().gameoverButton()) >= 20; }
    // Covered cells in the part of the Pause button that Game Over does not overlap.
    int pauseOnlyCovered(const Board& b);
    // The title changes within the wait: the worm is moving.
    bool ticks() { return game().waitTitleChange(game().title().value_or("")); }
    // The Pause button shown without Game Over, and the title steady under it.
    bool pausedAlone()
    {
        return waitBoard([&](const Board& b) { return pauseOnlyCovered(b) > 0; }) && game().waitTitleSteady();
    }

    // Waits for a grab that satisfies the condition and returns it, or nothing on time-out.
    template <typename Condition>
    std::optional<Board> waitBoard(Condition&& condition, Clock::duration timeout = defaultTimeout)
    {
        std::optional<Board> found;
        waitUntil(
            [&] {
                found = game().board();
                return found && condition(*found);
            },
            timeout, std::chrono::milliseconds(20));
        return found && condition(*found) ? found : std::nullopt;
    }

private:
    static std::unique_ptr<XServer> server_;
    static std::unique_ptr<XClient> x_;
    static std::string setupError_;
    std::unique_ptr<RunningGame> game_;
    Board first_;
    Score firstScore_;
};

// The way from the centre into the wall along an empty line when there is one, else into the
// nearest obstacle of the longest empty line; never into the food.
Heading crashHeading(const Board& b);

// A new board as the first tick leaves it: the wall, 50 obstacles off it, the head at the
// centre, one food or (when the first tick ate it) one blue obstacle, and nothing else.
::testing::AssertionResult isFreshBoard(const Board& b);
// The game ended by itself within the timeout (stretched by the slack), with exit status 0.
::testing::AssertionResult endsWithStatusZero(ChildProcess& game, std::chrono::milliseconds timeout);
// The title of a new board's first tick: 1, or 101 when that tick ate the food.
::testing::AssertionResult isFirstTickScore(const Board& b, const Score& s);

} // namespace worm::e2e
