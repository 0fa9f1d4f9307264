// RunningGame: starts the real executable on the harness's X server and reads what it shows.
#include "tests/support/x/running_game.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <stdexcept>

namespace worm::xharness {
namespace {

bool sameCells(const Board& a, const Board& b)
{
    return a.left == b.left && a.top == b.top && a.cells == b.cells;
}

} // namespace

std::optional<Score> parseTitle(const std::string& title)
{
    static const std::regex pattern("Score:  ([0-9]+)/ ([0-9]+)");
    std::smatch m;
    if (!std::regex_match(title, m, pattern)) {
        return std::nullopt;
    }
    return Score{std::stoll(m[1]), std::stoll(m[2])};
}

std::string gameExecutable(const char* built)
{
    const char* chosen = std::getenv("WORM_EXECUTABLE");
    return chosen && *chosen ? chosen : built;
}

Spawn qtProgram(const XServer& server, const std::string& program,
                const std::vector<std::string>& environment)
{
    auto env = server.clientEnvironment();
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("XDG_RUNTIME_DIR=" + server.privateDirectory()); // Qt wants one, private
    env.insert(env.end(), environment.begin(), environment.end());
    return Spawn{program,
                 {},
                 env,
                 {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING",
                  "QT_USE_PHYSICAL_DPI"},
                 -1,
                 ""};
}

RunningGame::RunningGame(const XServer& server, XClient& x, const std::string& executable,
                         const std::vector<std::string>& environment)
    : x_(x), process_(qtProgram(server, executable, environment))
{
    const pid_t pid = process_.pid();
    if (!waitUntil([&] { return (window_ = x_.findWindow(pid)) != 0 || !process_.running(); }, 20s) ||
        !window_) {
        throw std::runtime_error("the game's window did not appear");
    }
    const auto b = steadyBoard();
    if (!b) {
        throw std::runtime_error("the game's window never showed a board");
    }
    first_ = *b;
    if (!x_.focus(window_)) {
        throw std::runtime_error("cannot give the game's window the focus");
    }
}

std::optional<Score> RunningGame::score()
{
    const auto t = title();
    return t ? parseTitle(*t) : std::nullopt;
}

bool RunningGame::waitScoreAtLeast(long long score, Clock::duration timeout)
{
    return waitUntil(
        [&] {
            const auto s = this->score();
            return s && s->score >= score;
        },
        timeout);
}

bool RunningGame::waitTitleChange(const std::string& from, Clock::duration timeout)
{
    return waitUntil(
        [&] {
            const auto t = title();
            return t && *t != from;
        },
        timeout);
}

// The quiet stretches with the slack too: a slower build may take longer between two ticks.
bool RunningGame::waitTitleSteady(Clock::duration quiet, Clock::duration timeout)
{
    std::optional<std::string> last = title();
    auto since = Clock::now();
    return waitUntil(
        [&] {
            const auto t = title();
            if (t != last) {
                last = t;
                since = Clock::now();
            }
            return Clock::now() - since >= scaled(quiet);
        },
        timeout);
}

std::optional<Board> RunningGame::board()
{
    const auto image = grab();
    return image ? readBoard(*image) : std::nullopt;
}

std::optional<Board> RunningGame::steadyBoard()
{
    std::optional<Board> last, result;
    waitUntil(
        [&] {
            auto b = board();
            if (b && last && sameCells(*b, *last)) {
                result = b;
                return true;
            }
            last = b;
            return false;
        },
        defaultTimeout, 40ms);
    return result;
}

// The buttons' places are the form's, in twips: 15 to a pixel where a cell is 9 pixels.
PixelBox RunningGame::buttonBox(double left, double top) const
{
    const double scale = first_.cellPixels / 9.0 / 15.0;
    return PixelBox{first_.left + static_cast<int>(std::lround(left * scale)),
                    first_.top + static_cast<int>(std::lround(top * scale)),
                    static_cast<int>(std::lround(1095 * scale)), static_cast<int>(std::lround(735 * scale))};
}

PixelBox RunningGame::pauseButton() const { return buttonBox(3600, 3240); }

// Centred on the board: half the inner size less half the button.
PixelBox RunningGame::gameoverButton() const
{
    return buttonBox(6750 / 2.0 - 1095 / 2.0, 6750 / 2.0 - 735 / 2.0);
}

} // namespace worm::xharness
