// worm_screenshot: plays the real game for a moment under openbox in a private Xvfb and saves the
// window with its frame, title bar and score line, as a PNG for the README.
// Usage: worm_screenshot <worm executable> <output.png>
#include <cstdio>
#include <exception>

#include "tests/support/x/running_game.h"
#include "tests/support/x/window_manager.h"

namespace worm::xharness {
namespace {

struct Shot {
    Image frame;     // the window with the frame the window manager drew round it
    PixelBox client; // where the game's own window lies inside it
};

std::optional<Shot> grabFramed(XClient& x, Window window)
{
    const auto frame = x.placeOnScreen(x.topLevelOf(window));
    const auto client = x.placeOnScreen(window);
    auto image = frame ? x.grabScreen(*frame) : std::nullopt;
    if (!image || !client) {
        return std::nullopt;
    }
    return Shot{std::move(*image),
                {client->x - frame->x, client->y - frame->y, client->width, client->height}};
}

// Two equal grabs between two equal score readings, whose head sits where that score puts it:
// one whole frame of play, with the title bar caught up with the title.
std::optional<Image> frameAt(RunningGame& game, XClient& x, Heading h, long long base, int wanted)
{
    std::optional<Image> frame;
    waitUntil(
        [&] {
            const auto before = game.score();
            auto first = grabFramed(x, game.window());
            std::this_thread::sleep_for(10ms);
            const auto second = grabFramed(x, game.window());
            const auto after = game.score();
            if (!before || !after || !first || !second || before->score != after->score ||
                first->frame.pixels != second->frame.pixels) {
                return false;
            }
            const auto b = readBoard(first->frame.crop(first->client));
            const int d = static_cast<int>(after->score - base);
            if (!b || d < wanted || b->count(Cell::other) != 0 ||
                b->where(Cell::head) != std::vector{step(centre, h, d)}) {
                return false;
            }
            frame = std::move(first->frame);
            return true;
        },
        10s, 2ms);
    return frame;
}

int run(const char* executable, const char* output)
{
    XServer server;
    XClient x(server);
    WindowManager openbox(server, x);
    RunningGame game(server, x, executable);
    const auto first = game.steadyBoard();
    const auto score = game.score();
    if (!first || !score) {
        std::fprintf(stderr, "worm_screenshot: no board\n");
        return 1;
    }
    // Run the worm along its longest empty line, long enough for the tail to be moving.
    const Heading h = longestClearRun(*first);
    const int wanted = std::min(clearRun(*first, h) - 2, 14);
    game.key(keyOf(h));
    const auto frame = frameAt(game, x, h, score->score, wanted);
    if (!frame || !savePng(*frame, output)) {
        std::fprintf(stderr, "worm_screenshot: no clean frame saved\n");
        return 1;
    }
    std::printf("%s: %s\n", output, game.title().value_or("").c_str());
    return 0;
}

} // namespace
} // namespace worm::xharness

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <worm executable> <output.png>\n", argv[0]);
        return 2;
    }
    try {
        return worm::xharness::run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "worm_screenshot: %s\n", e.what());
        return 1;
    }
}
