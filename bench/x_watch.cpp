// x_watch: the whole-process figures' X side. In a private Xvfb it starts each program named in
// turn, times it from spawn to its window's map and reads its resident memory once it has
// settled. It plays each program whose name starts with game from outside, and ticks each whose
// name starts with floor with the same keys (game-old=... game-new=... compares two builds).
// A name with -pad in it (game-pad=...) plays with a virtual gamepad attached. One line of
// key=value figures a measurement.
// Usage: x_watch ROUNDS PLAY_SECONDS IDLE_SECONDS SETTLE_SECONDS NAME=PROGRAM...
// PLAY_SECONDS 0 measures only start and memory. Round 0, a warm-up, is printed but not one of
// the ROUNDS.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/proc_stats.h"
#include "bench/x_game.h"
#include "tests/support/x/running_game.h"

namespace worm::bench {
namespace {

using namespace xharness;

struct Settings {
    int rounds = 0;
    double playSeconds = 0, idleSeconds = 0, settleSeconds = 0;
    std::vector<std::pair<std::string, std::string>> programs; // name, executable
};

// A program the watcher started and saw map its top-level window.
struct Shown {
    std::unique_ptr<ChildProcess> process;
    Window window = 0;
    double visibleMs = 0;
    double cpuMs = 0; // its threads' CPU time by then, less noisy than the wall clock
};

// A program whose name has -pad in it gets a virtual gamepad (a test or benchmark build's), plugged
// in once its window shows; its FIFO is named here.
std::optional<std::string> padFifo(const XServer& server, const std::string& name)
{
    if (name.find("-pad") == std::string::npos) {
        return std::nullopt;
    }
    const std::string fifo = server.privateDirectory() + "/pad";
    unlink(fifo.c_str());
    if (mkfifo(fifo.c_str(), 0600) != 0) {
        throw std::runtime_error("no FIFO for the virtual pad");
    }
    return fifo;
}

void plug(const std::string& fifo)
{
    const int fd = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && write(fd, "plug\n", 5) == 5;
    close(fd);
    if (!written) {
        throw std::runtime_error("the virtual pad was not plugged in");
    }
}

// Watching the root's children before the spawn means no map can slip by unseen.
Shown launch(const XServer& server, XClient& x, const std::string& name, const std::string& program)
{
    const auto fifo = padFifo(server, name);
    Spawn spawn = qtProgram(server, program,
                            fifo ? std::vector{"WORM_VIRTUAL_PADS=" + *fifo} : std::vector<std::string>{});
    spawn.outputFile = server.privateDirectory() + "/programs.log";
    x.watchTopLevelMaps();
    const auto start = Clock::now();
    Shown shown{std::make_unique<ChildProcess>(spawn), 0, 0};
    shown.window = x.nextTopLevelMap(start + scaled(std::chrono::seconds(30)));
    if (shown.window == 0) {
        throw std::runtime_error(program + " showed no window within 30 s");
    }
    shown.visibleMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    shown.cpuMs = cpuSample(shown.process->pid()).runSeconds * 1000;
    if (fifo) {
        plug(*fifo);
    }
    return shown;
}

void run(const XServer& server, XClient& x, const Settings& s, const std::string& name,
         const std::string& program, int round)
{
    Shown shown = launch(server, x, name, program);
    std::this_thread::sleep_for(std::chrono::duration<double>(s.settleSeconds));
    const std::string tag = "run=" + name + " round=" + std::to_string(round);
    std::printf("%s visible_ms=%.2f rss_kib=%ld cpu_to_visible_ms=%.2f\n", tag.c_str(), shown.visibleMs,
                residentKiB(shown.process->pid()), shown.cpuMs);
    std::fflush(stdout);
    const pid_t pid = shown.process->pid();
    const auto named = [&name](const char* kind) { return name.rfind(kind, 0) == 0; };
    if (s.playSeconds > 0 && named("game") &&
        watchGame(x, shown.window, pid, tag, s.playSeconds, s.idleSeconds) != 0) {
        throw std::runtime_error("the game could not be played");
    }
    if (s.playSeconds > 0 && named("floor") && watchTicks(x, shown.window, pid, tag, s.playSeconds) != 0) {
        throw std::runtime_error("the per-tick floor did not tick");
    }
    std::fflush(stdout);
}

int figures(const Settings& s)
{
    XServer server;
    XClient x(server);
    // Round 0 only starts each program once, for the caches: the first start on a fresh server
    // was the slowest of all and would always fall to the first program named.
    for (int round = 0; round <= s.rounds; ++round) {
        // Every other round runs them backwards, so that of any two neither always goes first
        // and starts on a warmer cache.
        auto order = s.programs;
        if (round % 2 == 0) {
            std::reverse(order.begin(), order.end());
        }
        Settings once = s;
        if (round == 0) {
            once.playSeconds = 0;
        }
        for (const auto& [name, program] : order) {
            run(server, x, once, name, program, round);
        }
        std::fprintf(stderr, "round %d of %d done\n", round, s.rounds);
    }
    return 0;
}

// Nothing when the arguments are not ROUNDS PLAY IDLE SETTLE and at least one NAME=PROGRAM.
std::optional<Settings> parse(int argc, char* argv[])
{
    if (argc < 6) {
        return std::nullopt;
    }
    Settings s{std::atoi(argv[1]), std::atof(argv[2]), std::atof(argv[3]), std::atof(argv[4]), {}};
    for (int i = 5; i < argc; ++i) {
        const std::string named = argv[i];
        const auto equals = named.find('=');
        if (equals == std::string::npos || equals == 0) {
            return std::nullopt;
        }
        s.programs.emplace_back(named.substr(0, equals), named.substr(equals + 1));
    }
    return s;
}

} // namespace
} // namespace worm::bench

int main(int argc, char* argv[])
{
    const auto settings = worm::bench::parse(argc, argv);
    if (!settings) {
        std::fprintf(stderr,
                     "usage: x_watch ROUNDS PLAY_SECONDS IDLE_SECONDS SETTLE_SECONDS NAME=PROGRAM...\n"
                     "programs named game... are played, those named floor... ticked\n");
        return 2;
    }
    try {
        return worm::bench::figures(*settings);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x_watch: %s\n", e.what());
        return 1;
    }
}
