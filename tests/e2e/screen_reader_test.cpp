// What a screen reader hears from the real window over AT-SPI: the board's element, the focus
// as Tab walks it, and the words said as a game changes level, pauses, collides and starts again.
#include <X11/keysym.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

const std::string board = "image|The board: the worm, its food and the obstacles inside a red wall";

class ScreenReaderTest : public GameTest {
protected:
    // A private session bus, which starts the accessibility bus, then the game and the listener.
    void SetUp() override
    {
        const std::string address = "unix:path=" + dir_ + "/bus", bus = "DBUS_SESSION_BUS_ADDRESS=" + address;
        const std::vector<std::string> noDesktop{"DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"};
        bus_.emplace(Spawn{"/usr/bin/dbus-daemon",
                           {"--session", "--nofork", "--address=" + address},
                           {"XDG_RUNTIME_DIR=" + dir_},
                           noDesktop,
                           -1,
                           ""});
        ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(dir_ + "/bus"); }));
        program_ = WORM_STAGED_LEVEL;
        environment_ = {bus, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"};
        GameTest::SetUp();
        listener_.emplace(
            Spawn{"/usr/bin/python3", {WORM_ATSPI_LISTENER}, {bus}, noDesktop, -1, dir_ + "/heard"});
        ASSERT_TRUE(heard("ready"));
    }

    void TearDown() override
    {
        listener_.reset();
        GameTest::TearDown();
        bus_.reset();
        std::filesystem::remove_all(dir_);
    }

    // Whether the listener has printed this line `times` times, within the usual wait.
    ::testing::AssertionResult heard(const std::string& line, int times = 1)
    {
        std::string all;
        const bool enough = waitUntil([&] {
            std::ifstream in(dir_ + "/heard");
            int n = 0;
            all.clear();
            for (std::string l; std::getline(in, l); all += l + "\n") {
                n += l == line ? 1 : 0;
            }
            return n >= times;
        });
        return enough ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "heard:\n" << all;
    }

private:
    std::string dir_ = makePrivateDirectory();
    std::optional<ChildProcess> bus_, listener_;
};

TEST_F(ScreenReaderTest, HearsTheBoardTheFocusAndEveryAnnouncement)
{
    EXPECT_TRUE(heard("element|" + board + "|True"));
    game().key(XK_Up); // eats the staged meal: a new board, the worm still until an arrow
    EXPECT_TRUE(heard("showing|notification|Level 2"));
    game().key(XK_p);
    EXPECT_TRUE(heard("showing|notification|Paused"));
    game().key(XK_Tab);
    EXPECT_TRUE(heard("focused|push button|Pause"));
    game().key(XK_Tab);
    EXPECT_TRUE(heard("focused|" + board));

    game().clickCentreOf(game().pauseButton()); // no heading yet: the first tick collides
    ASSERT_TRUE(waitBoard([&](const Board& b) { return gameoverShown(b); }));
    ASSERT_TRUE(game().waitTitleSteady());
    EXPECT_TRUE(heard("showing|notification|Game over, score " + std::to_string(game().score()->score)));
    game().clickCentreOf(game().gameoverButton());
    EXPECT_TRUE(heard("showing|notification|New game"));

    // The same words twice in a row are said twice.
    const auto fresh = game().steadyBoard();
    ASSERT_TRUE(fresh && clearRun(*fresh, longestClearRun(*fresh)) >= 6);
    game().key(keyOf(longestClearRun(*fresh)));
    ASSERT_TRUE(ticks());
    game().key(XK_p);
    EXPECT_TRUE(heard("showing|notification|Paused", 2));
    game().clickCentreOf(game().pauseButton());
    ASSERT_TRUE(ticks());
    game().key(XK_p);
    EXPECT_TRUE(heard("showing|notification|Paused", 3));
}

} // namespace
} // namespace worm::e2e
