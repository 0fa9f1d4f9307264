// RunningGame: one started worm executable and its window, observed and driven from outside.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>

#include "tests/e2e/board_reader.h"
#include "tests/e2e/child_process.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/x_client.h"
#include "tests/e2e/x_server.h"

namespace worm::e2e {

struct Score {
    long long score = 0, best = 0;
};

// "Score: " then each number after a space where its sign would go: "Score:  12/ 340".
std::optional<Score> parseTitle(const std::string& title);

enum class Heading { up, down, left, right };
inline constexpr Heading headings[] = {Heading::up, Heading::down, Heading::left, Heading::right};

Pos step(Pos p, Heading h, int cells = 1);
KeySym keyOf(Heading h);
// Whether p is one of the first cells from the centre along h, the centre itself included.
bool onLine(Pos p, Heading h, int cells);
// How many empty cells lie ahead of the centre before the first drawn one.
int clearRun(const Board& board, Heading h);
Heading longestClearRun(const Board& board);

class RunningGame {
public:
    // Starts the game and waits for its window to show a steady board; throws if it does not.
    RunningGame(const XServer& server, XClient& x, const std::string& executable);

    ChildProcess& process() { return process_; }
    Window window() const { return window_; }

    std::optional<std::string> title() { return x_.title(window_); }
    std::optional<Score> score();
    bool waitScoreAtLeast(long long score, Clock::duration timeout = defaultTimeout);
    bool waitTitleChange(const std::string& from, Clock::duration timeout = defaultTimeout);
    // True once the title has stayed the same for quiet; the ticks have stopped.
    bool waitTitleSteady(Clock::duration quiet = std::chrono::milliseconds(500),
                         Clock::duration timeout = defaultTimeout);

    std::optional<Board> board();
    std::optional<Board> steadyBoard(); // two grabs in a row that agree

    void key(KeySym sym, bool shift = false) { x_.key(sym, shift); }
    void click(int x, int y) { x_.click(window_, x, y); }
    void clickCentreOf(const PixelBox& box) { click(box.x + box.width / 2, box.y + box.height / 2); }
    void drag(int fromX, int fromY, int toX, int toY) { x_.drag(window_, fromX, fromY, toX, toY); }
    void requestClose() { x_.requestClose(window_); }

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

} // namespace worm::e2e
