// watchGame, watchTicks: every tick rewrites the title, so each WM_NAME change marks one tick.
#include "bench/x_game.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/clear_loop.h"
#include "bench/proc_stats.h"

namespace worm::bench {
namespace {

using xharness::Clock;

double monotonicSeconds() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

Clock::time_point at(double seconds)
{
    return Clock::time_point(
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
}

constexpr double quietSeconds = 0.3; // four periods without a tick: the game has stopped

// The head's cell, reckoned from the ticks seen and the heading sent: a new board starts it
// at column 25, row 25.
struct Head {
    Loop loop;
    long x = 25, y = 25;
    unsigned long heading = XK_Up;

    void step()
    {
        x += heading == XK_Right ? 1 : heading == XK_Left ? -1 : 0;
        y += heading == XK_Down ? 1 : heading == XK_Up ? -1 : 0;
    }

    // Clockwise round the loop once on it; up until then.
    unsigned long loopHeading() const
    {
        if (y == loop.top && x < loop.right)
            return XK_Right;
        if (x == loop.right && y < loop.bottom)
            return XK_Down;
        if (y == loop.bottom && x > loop.left)
            return XK_Left;
        if (x == loop.left && y > loop.top)
            return XK_Up;
        return XK_Up;
    }
};

class GameWatch {
public:
    GameWatch(xharness::XClient& x, Window window, pid_t pid) : x_(x), window_(window), pid_(pid)
    {
        x_.watchProperties(window_);
        x_.focus(window_);
    }

    // The time of the next tick, or a negative number if none came before the deadline.
    double nextTick(double deadline)
    {
        XEvent e{};
        while (x_.nextEvent(e, at(deadline))) {
            if (e.type == PropertyNotify && e.xproperty.window == window_ && e.xproperty.atom == XA_WM_NAME) {
                return monotonicSeconds();
            }
        }
        return -1;
    }

    void press(unsigned long keysym) { x_.key(keysym); }
    pid_t pid() const { return pid_; }

private:
    xharness::XClient& x_;
    Window window_;
    pid_t pid_;
};

// A wake-up is a thread going to sleep and being woken; a preemption by another process is not.
void printCpu(const std::string& tag, const char* phase, const CpuSample& a, const CpuSample& b,
              double seconds)
{
    std::printf("%s phase=%s seconds=%.2f cpu_pct=%.3f cpu_run_pct=%.4f wakeups_per_s=%.2f "
                "preemptions_per_s=%.2f",
                tag.c_str(), phase, seconds, (b.tickSeconds - a.tickSeconds) / seconds * 100,
                (b.runSeconds - a.runSeconds) / seconds * 100,
                static_cast<double>(b.wakeups - a.wakeups) / seconds,
                static_cast<double>(b.preemptions - a.preemptions) / seconds);
}

int play(GameWatch& watch, const std::string& tag, Head& head, double seconds)
{
    watch.press(head.heading);
    double last = watch.nextTick(monotonicSeconds() + 2);
    if (last < 0) {
        std::fprintf(stderr, "x_watch: the arrow key started no ticks\n");
        return 1;
    }
    const CpuSample before = cpuSample(watch.pid());
    const double start = last;
    std::vector<double> periods;
    int resumes = 0;
    for (double now = last; now - start < seconds;) {
        head.step();
        if (const unsigned long heading = head.loopHeading(); heading != head.heading) {
            head.heading = heading;
            watch.press(heading);
        }
        now = watch.nextTick(now + quietSeconds);
        if (now < 0) {
            ++resumes; // something lay on the loop; any key goes on from there
            watch.press(head.heading);
            now = watch.nextTick(monotonicSeconds() + 2);
            if (now < 0) {
                std::fprintf(stderr, "x_watch: the game did not resume\n");
                return 1;
            }
        } else {
            periods.push_back(now - last); // the stretch spent stopped is no period
        }
        last = now;
    }
    const CpuSample after = cpuSample(watch.pid());
    double sum = 0, squares = 0;
    for (const double p : periods) {
        sum += p;
    }
    const double mean = periods.empty() ? 0 : sum / static_cast<double>(periods.size());
    for (const double p : periods) {
        squares += (p - mean) * (p - mean);
    }
    const double spread =
        periods.size() < 2 ? 0 : std::sqrt(squares / static_cast<double>(periods.size() - 1));
    printCpu(tag, "ticking", before, after, last - start);
    std::printf(" periods=%zu period_ms=%.4f spread_ms=%.4f resumes=%d loop=%d,%d,%d,%d\n", periods.size(),
                mean * 1000, spread * 1000, resumes, head.loop.left, head.loop.top, head.loop.right,
                head.loop.bottom);
    return 0;
}

// Lets the ticks run out, then measures a quiet stretch; any tick in it is counted.
int stopped(GameWatch& watch, const std::string& tag, const char* phase, double seconds)
{
    int ticksToStop = 0;
    for (double now = monotonicSeconds(); watch.nextTick(now + quietSeconds) >= 0; now = monotonicSeconds()) {
        if (++ticksToStop > 200) {
            std::fprintf(stderr, "x_watch: the game did not stop for %s\n", phase);
            return 1;
        }
    }
    const CpuSample before = cpuSample(watch.pid());
    const double start = monotonicSeconds();
    int ticks = 0;
    while (watch.nextTick(start + seconds) >= 0) {
        ++ticks;
    }
    const CpuSample after = cpuSample(watch.pid());
    printCpu(tag, phase, before, after, monotonicSeconds() - start);
    std::printf(" ticks=%d ticks_to_stop=%d\n", ticks, ticksToStop);
    return 0;
}

} // namespace

int watchGame(xharness::XClient& x, Window window, pid_t pid, const std::string& tag, double playSeconds,
              double idleSeconds)
{
    GameWatch watch(x, window, pid);
    Head head;
    // A loop clear of everything drawn, so that no collision stops the ticks being timed.
    const auto image = x.grab(window);
    const auto board = image ? xharness::readBoard(*image) : std::nullopt;
    if (const auto loop = board ? clearLoop(*board) : std::nullopt) {
        head.loop = *loop;
    }
    if (play(watch, tag, head, playSeconds) != 0) {
        return 1;
    }
    watch.press(XK_p);
    if (stopped(watch, tag, "paused", idleSeconds) != 0) {
        return 1;
    }
    watch.press(head.heading); // resume, and run straight on into whatever lies ahead
    return stopped(watch, tag, "gameover", idleSeconds);
}

int watchTicks(xharness::XClient& x, Window window, pid_t pid, const std::string& tag, double playSeconds)
{
    GameWatch watch(x, window, pid);
    Head head;
    return play(watch, tag, head, playSeconds);
}

} // namespace worm::bench
