// launch: starts a program, times it from the spawn to the mapping of its top-level window, and
// stays its parent until it ends.
#include "bench/x_launch.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <cstdlib>

#include "bench/x_client.h"

namespace worm::bench {

int launch(char* const argv[])
{
    XClient x;
    // Watching the root's children before the spawn means no map can slip by unseen.
    XSelectInput(x.display(), x.root(), SubstructureNotifyMask);
    XSync(x.display(), False);
    const double start = monotonicSeconds();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    XEvent e{};
    while (x.nextEvent(e, start + 30)) {
        if (e.type == MapNotify && e.xmap.event == x.root() && !e.xmap.override_redirect) {
            const double visible = monotonicSeconds();
            std::printf("pid=%d window=%lu visible_ms=%.2f\n", static_cast<int>(pid), e.xmap.window,
                        (visible - start) * 1000);
            std::fflush(stdout);
            // The program runs on until whoever asked for it ends it; its parent reaps it.
            int status = 0;
            waitpid(pid, &status, 0);
            return 0;
        }
    }
    std::fprintf(stderr, "x_watch: %s showed no window within 30 s\n", argv[0]);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
}

} // namespace worm::bench
