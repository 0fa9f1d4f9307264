// Announcer: a pause, the end of a game, a new game and a new level are each said once, when they
// happen; an ordinary tick says nothing.
#include <gtest/gtest.h>

#include "tests/support/loaded_board.h"
#include "window/announcer.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

class Announcing : public LoadedBoard {
protected:
    void SetUp() override
    {
        LoadedBoard::SetUp();
        ASSERT_EQ(words.after(t.session), "");
    }
    std::string press(std::int16_t key)
    {
        t.session.keyDown(key);
        return words.after(t.session);
    }
    Announcer words;
};

TEST_F(Announcing, pausesAndTheEndOfAGameAreSaidOnceThenANewGame)
{
    EXPECT_EQ(press(keys::p), "Paused") << "P before any arrow";
    EXPECT_EQ(press(keys::p), "") << "still paused: said once";
    EXPECT_EQ(press(keys::up), "") << "the arrow resumes; Pause still shows";
    EXPECT_EQ(press(keys::p), "Paused") << "a second pause is said again";
    EXPECT_EQ(press(keys::up), "");
    t.session.pauseClicked();
    EXPECT_EQ(words.after(t.session), "");
    std::string said;
    for (int i = 0; i < 40 && t.session.ticking(); ++i) { // up into the obstacles of row 6
        tickKeepingFood();
        const std::string now = words.after(t.session);
        EXPECT_TRUE(now.empty() || t.form().button(Button::gameover).visible)
            << now << " on an ordinary tick";
        said += now;
    }
    EXPECT_EQ(said, "Game over, score " + std::to_string(t.state().score));
    EXPECT_EQ(press(32), "") << "resumed after the collision: Game Over still shows";
    t.random->queueFreshBoard(10, 10);
    t.session.gameoverClicked();
    EXPECT_EQ(words.after(t.session), "New game");
}

TEST_F(Announcing, aMealPastTheLevelsPointsSaysTheNewLevel)
{
    for (const char* level : {"Level 2", "Level 3"}) {
        stageLevelChange(t.session);
        t.session.keyDown(keys::up);
        t.session.tick();
        EXPECT_EQ(words.after(t.session), level);
    }
}

} // namespace
} // namespace worm::testing
