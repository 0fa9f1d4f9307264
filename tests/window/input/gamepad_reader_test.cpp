// GamepadReader: polls become an arrow on each new way, and Start, South and North on their press.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tests/support/loaded_board.h"
#include "window/handlers.h"
#include "window/input/gamepad_reader.h"

namespace worm::testing {
namespace {

constexpr std::size_t south = 0, north = 3, start = 9, up = 12, down = 13, right = 15, left = 14;

PadSnapshot pad(std::initializer_list<std::size_t> buttons, double x = 0, double y = 0)
{
    PadSnapshot s{{}, x, y};
    for (const std::size_t b : buttons) {
        s.pressed[b] = true;
    }
    return s;
}

class Pad : public LoadedBoard {
protected:
    // One poll's commands as text: key codes, and the clicked button's name.
    std::string poll(const PadSnapshot& now)
    {
        std::array<PadCommand, 4> out;
        std::string said;
        for (std::size_t i = 0, n = reader.poll(now, t.form(), out); i < n; ++i) {
            const PadCommand& c = out[i];
            said += (said.empty() ? "" : " ") + (c.kind == PadCommand::Kind::key ? std::to_string(c.keyCode)
                                                 : c.button == Button::gameover  ? "gameover"
                                                                                 : "pause");
        }
        return said;
    }
    GamepadReader reader;
};

TEST_F(Pad, theDpadSendsEachNewWayOnceTheNewestPressWinning)
{
    EXPECT_EQ(poll(pad({up})), "38");
    EXPECT_EQ(poll(pad({up})), "");
    EXPECT_EQ(poll(pad({up, right})), "39"); // a thumb rolled onto the next arrow
    EXPECT_EQ(poll(pad({right, down})), "40");
    EXPECT_EQ(poll(pad({right})), "39"); // back to the one still held
    EXPECT_EQ(poll(pad({})), "");
    EXPECT_EQ(poll(pad({right})), "39"); // the same way again after neutral
    EXPECT_EQ(poll(pad({left, right})), "37");
}

TEST_F(Pad, theStickNeedsAClearPushAndDoesNotChatter)
{
    EXPECT_EQ(poll(pad({}, 0.45, 0)), "");
    EXPECT_EQ(poll(pad({}, 0.55, 0)), "39");
    EXPECT_EQ(poll(pad({}, 0.45, 0)), ""); // resting at the threshold: still right, nothing more
    EXPECT_EQ(poll(pad({}, 0.55, 0)), "");
    EXPECT_EQ(poll(pad({}, 0.7, -0.75)), ""); // a diagonal does not flip between its ways
    EXPECT_EQ(poll(pad({}, 0.2, -0.9)), "38");
    EXPECT_EQ(poll(pad({}, -0.9, -0.35)), "37"); // a clear lead takes over
    EXPECT_EQ(poll(pad({}, 0.2, 0.1)), "");
    EXPECT_EQ(poll(pad({}, -0.6, 0)), "37"); // the same way again after neutral
}

TEST_F(Pad, theDpadWinsOverTheStick)
{
    EXPECT_EQ(poll(pad({up}, 0.9, 0)), "38");
    EXPECT_EQ(poll(pad({}, 0.9, 0)), "39"); // the d-pad let go: the pad now points right
    EXPECT_EQ(poll(pad({right}, 0.9, 0)), "");
}

TEST_F(Pad, startSouthAndNorthActOnTheirPressOnly)
{
    EXPECT_EQ(poll(pad({start})), "80");
    EXPECT_EQ(poll(pad({start})), "");
    EXPECT_EQ(poll(pad({start, south})), "32");
    EXPECT_EQ(poll(pad({north})), ""); // no button shows
    EXPECT_EQ(poll(pad({left, south, start})), "37 32 80");
    reader.reset(); // the pad went away with them held
    EXPECT_EQ(poll(pad({left, south, start})), "37 32 80");
}

TEST_F(Pad, northClicksTheButtonThatShowsGameOverFirst)
{
    t.session.keyDown(keys::p);
    EXPECT_EQ(poll(pad({north})), "pause");
    t.session.pauseClicked(); // no heading: the first tick collides
    t.session.tick();
    t.session.keyDown(keys::p);
    ASSERT_TRUE(t.form().button(Button::gameover).visible && t.form().button(Button::pause).visible);
    EXPECT_EQ(poll(pad({})), "");
    EXPECT_EQ(poll(pad({north})), "gameover");
}

} // namespace
} // namespace worm::testing
