// LoadedBoard: a test fixture on a freshly loaded board, its draws scripted so that the first
// tick leaves the food at column 10, row 10 and the obstacles in rows 5 and 6.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/session.h"

namespace worm::testing {

class LoadedBoard : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.random->queueFreshBoard(10, 10);
        t.session.load();
        ASSERT_TRUE(t.random->scriptUsed());
        t.form().damage().clear();
    }
    // One tick whose expiry draw keeps the food.
    void tickKeepingFood()
    {
        t.random->queue(0.5);
        t.session.tick();
    }
    ScriptedSession t;
};

} // namespace worm::testing
