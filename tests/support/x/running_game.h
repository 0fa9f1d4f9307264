// RunningGame: one started worm executable and its window, observed and driven from outside.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/x/board_reader.h"
#include "tests/support/x/child_process.h"
#include "tests/support/x/moves.h"
#include "tests/support/x/wait.h"
#include "tests/support/x/x_client.h"
#include "tests/support/x/x_server.h"

namespace worm::xharness {

struct Score {
    long long score = 0, best = 0;
};

// "Score: " then each number after a space where its sign would go: "Score:  12/ 340".
std::optional<Score> parseTitle(const std::string& title);

// WORM_EXECUTABLE from the environment when it is set, so another build's game can be tested;
// else the game this harness was built with.
std::string gameExecutable(const char* built);

// A Qt program on the harness's server: xcb, a private runtime directory and 96 dpi whatever the
// caller's desktop asks for, then the NAME=value entries given (QT_SCALE_FACTOR=1.5, say).
Spawn qtProgram(const XServer& server, const std::string& program,
                const std::vector<std::string>& environment = {});

class RunningGame {
public:
    // Starts the game and waits for its window to show a steady board; throws if it does not.
    RunningGame(const XServer& server, XClient& x, const std::string& executable,
                const std::vector<std::string>& environment = {});

    ChildProcess& process() { return process_; }
    Window window() const { return window_; }

    std::optional<std::string> title() { return x_.title(window_); }
    std::optional<Score> score();
    bool waitScoreAtLeast(long long score, Clock::duration timeout = defaultTimeout);
    bool waitTitleChange(const std::string& from, Clock::duration timeout = defaultTimeout);
    // True once the title has stayed the same for quiet; the ticks have stopped.
    bool waitTitleSteady(Clock::duration quiet = 500ms, Clock::duration timeout = defaultTimeout);

    std::optional<Image> grab() { return x_.grab(window_); }
    std::optional<Board> board();
    std::optional<Board> steadyBoard(); // two grabs in a row that agree
    bool resize(int width, int height) { return x_.resize(window_, width, height); }

    void key(KeySym sym, bool shift = false) { x_.key(sym, shift); }
    void click(int x, int y) { x_.click(window_, x, y); }
    void clickCentreOf(const PixelBox& box) { click(box.x + box.width / 2, box.y + box.height / 2); }
    void drag(int fromX, int fromY, int toX, int toY) { x_.drag(window_, fromX, fromY, toX, toY); }
    void requestClose() { x_.requestClose(window_); }
    void destroyWindow() { x_.destroy(window_); }

    // Where the buttons sit over the board, in window pixels.
    PixelBox pauseButton() const;
    PixelBox gameoverButton() const;

private:
    PixelBox buttonBox(double left, double top) const;

    XClient& x_;
    ChildProcess process_;
    Window window_ = 0;
    Board first_;
};

} // namespace worm::xharness
