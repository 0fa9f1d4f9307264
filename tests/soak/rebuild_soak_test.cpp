// Ten thousand rebuilds in one process, Game Over and level changes in turn: memory stays flat.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "tests/soak/soak_support.h"
#include "tests/support/staging.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

class Rebuilds : public ::testing::Test {
protected:
    Rebuilds()
    {
        session.form().setLoadHandler([this] {
            Form_Load(session.game());
            ++loads;
        });
        session.load();
    }

    void rebuild(int n)
    {
        if (n % 2 == 0) {
            session.gameoverClicked();
            return;
        }
        const int before = loads;
        while (loads == before) {
            stageLevelChange(session);
            session.keyDown(keys::up);
            session.tick();
        }
        ASSERT_EQ(session.state().headpos, 2);
    }

    void rebuilds(int from, int to)
    {
        for (int n = from; n < to && !HasFatalFailure(); ++n) {
            rebuild(n);
            session.form().damage().clear(); // what the window's repaint does
        }
    }

    // A new seed for every board, so the boards differ as they do in play.
    GameSession session{std::make_unique<SeededRandom>([n = 0u]() mutable { return n++; })};
    int loads = 0;
};

TEST_F(Rebuilds, tenThousandKeepResidentMemoryFlat)
{
    constexpr int warmUp = 500;
    constexpr int total = 10000;
    rebuilds(0, warmUp);
    const long before = residentKiB();
    rebuilds(warmUp, total);
    const long after = residentKiB();

    std::printf("resident %ld KiB after %d rebuilds, %ld KiB after %d\n", before, warmUp, after, total);
    EXPECT_EQ(loads, 1 + total);
    ASSERT_GT(before, 0);
    if (!underAddressSanitizer()) {
        EXPECT_LE(after - before, 1024)
            << "resident memory grew from " << before << " KiB to " << after << " KiB";
    }
}

} // namespace
} // namespace worm::testing
