// x_watch: the whole-process figures' X side. In a private Xvfb it starts the game and an empty
// Qt window in turn, times each from spawn to its window's map, reads its resident memory once it
// has settled, and plays the game from outside. One line of key=value figures a measurement.
// Usage: x_watch ROUNDS PLAY_SECONDS IDLE_SECONDS SETTLE_SECONDS GAME EMPTY_WINDOW
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/proc_stats.h"
#include "bench/x_game.h"
#include "tests/support/x/running_game.h"

namespace worm::bench {
namespace {

using namespace xharness;

struct Settings {
    int rounds = 0;
    double playSeconds = 0, idleSeconds = 0, settleSeconds = 0;
    std::string game, empty;
};

// A program the watcher started and saw map its top-level window.
struct Shown {
    std::unique_ptr<ChildProcess> process;
    Window window = 0;
    double visibleMs = 0;
};

// Watching the root's children before the spawn means no map can slip by unseen.
Shown launch(const XServer& server, XClient& x, const std::string& program)
{
    Spawn spawn = qtProgram(server, program);
    spawn.outputFile = server.privateDirectory() + "/programs.log";
    x.watchTopLevelMaps();
    const auto start = Clock::now();
    Shown shown{std::make_unique<ChildProcess>(spawn), 0, 0};
    shown.window = x.nextTopLevelMap(start + scaled(std::chrono::seconds(30)));
    if (shown.window == 0) {
        throw std::runtime_error(program + " showed no window within 30 s");
    }
    shown.visibleMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return shown;
}

void run(const XServer& server, XClient& x, const Settings& s, const char* name, int round)
{
    const bool game = std::string(name) == "game";
    Shown shown = launch(server, x, game ? s.game : s.empty);
    std::this_thread::sleep_for(std::chrono::duration<double>(s.settleSeconds));
    std::printf("run=%s round=%d visible_ms=%.2f rss_kib=%ld\n", name, round, shown.visibleMs,
                residentKiB(shown.process->pid()));
    std::fflush(stdout);
    if (game && watchGame(x, shown.window, shown.process->pid(), s.playSeconds, s.idleSeconds) != 0) {
        throw std::runtime_error("the game could not be played");
    }
    std::fflush(stdout);
}

int figures(const Settings& s)
{
    XServer server;
    XClient x(server);
    for (int round = 1; round <= s.rounds; ++round) {
        // Alternate which goes first, so neither always starts on a warmer cache.
        const bool emptyFirst = round % 2 == 1;
        run(server, x, s, emptyFirst ? "empty" : "game", round);
        run(server, x, s, emptyFirst ? "game" : "empty", round);
        std::fprintf(stderr, "round %d of %d done\n", round, s.rounds);
    }
    return 0;
}

} // namespace
} // namespace worm::bench

int main(int argc, char* argv[])
{
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: x_watch ROUNDS PLAY_SECONDS IDLE_SECONDS SETTLE_SECONDS GAME EMPTY_WINDOW\n");
        return 2;
    }
    try {
        return worm::bench::figures({std::atoi(argv[1]), std::atof(argv[2]), std::atof(argv[3]),
                                     std::atof(argv[4]), argv[5], argv[6]});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x_watch: %s\n", e.what());
        return 1;
    }
}
