// Form_KeyDown, pause_Click and gameover_Click, driven the way the event loop drives them.
#include <gtest/gtest.h>

#include "tests/support/loaded_board.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

class Keyboard : public LoadedBoard {
protected:
    void press(std::int16_t key) { t.session.keyDown(key); }
    std::string& direction() { return t.state().direction; }
    std::int32_t interval() { return t.form().interval(); }
};

TEST_F(Keyboard, firstArrowHeadsAndStartsTheTicks)
{
    EXPECT_EQ(interval(), 0);
    press(keys::left);
    EXPECT_EQ(direction(), "left");
    EXPECT_EQ(interval(), 75);
}

TEST_F(Keyboard, noStraightReversalButTurnsAreTaken)
{
    direction() = "down";
    press(keys::up);
    EXPECT_EQ(direction(), "down");
    press(keys::left);
    EXPECT_EQ(direction(), "left");
    press(keys::right);
    EXPECT_EQ(direction(), "left");
    press(keys::up);
    press(keys::right); // two quick turns reverse the worm onto itself
    EXPECT_EQ(direction(), "right");
}

TEST_F(Keyboard, otherKeysResumeOnlyOnceAHeadingExists)
{
    press(65); // 'A'
    EXPECT_EQ(interval(), 0);
    direction() = "up";
    press(65);
    EXPECT_EQ(interval(), 75);
}

TEST_F(Keyboard, pPausesEvenWhileTickingAndBeforeAnyArrow)
{
    press(keys::p);
    EXPECT_TRUE(t.form().button(Button::pause).visible);
    EXPECT_EQ(interval(), 0);
    press(keys::down);
    EXPECT_EQ(interval(), 75);
    EXPECT_TRUE(t.form().button(Button::pause).visible); // an arrow resumes but leaves it shown
    press(keys::p);
    EXPECT_EQ(interval(), 0);
}

TEST_F(Keyboard, pauseClickedBeforeAnyHeadingEndsTheGameOnTheFirstTickWithNoRedCell)
{
    press(keys::p);
    t.session.pauseClicked();
    EXPECT_FALSE(t.form().button(Button::pause).visible);
    EXPECT_EQ(interval(), 75);
    t.session.tick();
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(t.form().button(Button::gameover).visible);
    const CellRecord& head = t.form().cell(1225);
    EXPECT_TRUE(head.visible);
    EXPECT_EQ(head.colour, colours::body);
    EXPECT_EQ(head.shape, Shape::rectangle);
}

TEST_F(Keyboard, gameOverStartsANewGameFromScoreOneKeepingTheBest)
{
    t.state().best = 5000;
    t.state().score = 4000;
    t.state().points = 4000;
    t.random->queueFreshBoard(10, 10);
    t.session.gameoverClicked();
    EXPECT_TRUE(t.random->scriptUsed());
    EXPECT_EQ(t.state().score, 1);
    EXPECT_EQ(t.state().points, 1);
    EXPECT_EQ(t.state().best, 5000);
    EXPECT_FALSE(t.form().button(Button::gameover).visible);
    EXPECT_EQ(interval(), 0);
}

} // namespace
} // namespace worm::testing
