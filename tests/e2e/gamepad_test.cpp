// Gamepads in the real window: virtual SDL pads plugged in mid-game steer, pause, resume and
// click, alone or two at once, and pulling one out leaves the game playing.
#include <X11/keysym.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "tests/e2e/game_test.h"

namespace worm::e2e {
namespace {

// The standard mapping's buttons; the d-pad's four follow dpadUp in Heading's order.
constexpr int south = 0, north = 3, start = 9, dpadUp = 12;

class GamepadTest : public GameTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(mkfifo(fifo_.c_str(), 0600), 0);
        environment_ = {"WORM_VIRTUAL_PADS=" + fifo_};
        GameTest::SetUp();
        fd_ = open(fifo_.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd_, 0);
    }
    void TearDown() override
    {
        GameTest::TearDown();
        close(fd_);
        std::filesystem::remove_all(dir_);
    }

    void pad(const std::string& line)
    {
        const std::string text = line + "\n";
        ASSERT_EQ(write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    // Held for a few of the game's reads, once a frame, so that a press is never missed between two.
    void press(int n, int button, bool release = true)
    {
        pad("press " + std::to_string(n) + " " + std::to_string(button));
        std::this_thread::sleep_for(scaled(100ms));
        if (release) {
            pad("release " + std::to_string(n) + " " + std::to_string(button));
        }
    }
    std::string dir_ = makePrivateDirectory(), fifo_ = dir_ + "/pads";
    int fd_ = -1;
};

TEST_F(GamepadTest, APadPluggedInSteersIntoTheWallStartsANewGameAndLeavesTheGameUnharmed)
{
    pad("plug");
    const Heading h = crashHeading(firstBoard());
    press(0, dpadUp + static_cast<int>(h));
    ASSERT_TRUE(waitBoard([&](const Board& now) { return gameoverShown(now); })) << game().board()->picture();
    ASSERT_TRUE(game().waitTitleSteady());

    press(0, north); // clicks the button that shows
    const auto fresh = waitBoard([](const Board& now) { return isFreshBoard(now); });
    ASSERT_TRUE(fresh) << game().board()->picture();
    ASSERT_TRUE(game().waitTitleSteady());

    const Heading way = longestClearRun(*fresh);
    const double x = way == Heading::left ? -1 : way == Heading::right ? 1 : 0;
    const double y = way == Heading::up ? -1 : way == Heading::down ? 1 : 0;
    pad("stick 0 " + std::to_string(x) + " " + std::to_string(y));
    ASSERT_TRUE(ticks()) << "the stick did not start the worm";
    press(0, start);
    ASSERT_TRUE(pausedAlone());
    press(0, south);
    ASSERT_TRUE(ticks()) << "south did not resume";

    pad("unplug 0"); // mid-game, the stick still pushed
    ASSERT_TRUE(ticks());
    game().key(XK_p);
    EXPECT_TRUE(pausedAlone());
    EXPECT_TRUE(game().process().running());
}

// Each pad is read apart: the first pad's Start held down never reads as pressed again each time
// the second pad is read, which would pause the game over and over.
TEST_F(GamepadTest, TwoPadsPlayTogetherEachWithItsOwnButtons)
{
    pad("plug");
    pad("plug");
    press(1, dpadUp + static_cast<int>(longestClearRun(firstBoard())));
    ASSERT_TRUE(ticks()) << "the second pad did not start the worm";
    press(0, start, false);
    ASSERT_TRUE(pausedAlone());
    press(1, south);
    EXPECT_TRUE(ticks()) << "the second pad's south did not resume";
    EXPECT_TRUE(ticks()) << "paused again while the first pad held Start";
}

} // namespace
} // namespace worm::e2e
