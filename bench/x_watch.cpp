// x_watch: the figures script's X client, "launch PROGRAM..." or "game WINDOW PID PLAY IDLE".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "bench/x_game.h"
#include "bench/x_launch.h"

int main(int argc, char* argv[])
{
    try {
        if (argc >= 3 && std::strcmp(argv[1], "launch") == 0) {
            return worm::bench::launch(argv + 2);
        }
        if (argc == 6 && std::strcmp(argv[1], "game") == 0) {
            return worm::bench::watchGame(std::strtoul(argv[2], nullptr, 10), std::atoi(argv[3]),
                                          std::atof(argv[4]), std::atof(argv[5]));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x_watch: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: x_watch launch PROGRAM [ARGS...]\n"
                         "       x_watch game WINDOW PID PLAY_SECONDS IDLE_SECONDS\n");
    return 2;
}
