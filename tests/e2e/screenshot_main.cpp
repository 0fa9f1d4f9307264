// worm_screenshot: plays the real game for a moment in a private Xvfb and saves the window as a
// PNG, for the README. Usage: worm_screenshot <worm executable> <output.png>
#include <QImage> // before Xlib, whose macros break Qt headers

#include <cstdio>
#include <exception>

#include "tests/e2e/running_game.h"

namespace worm::e2e {
namespace {

// A grab taken between two equal score readings whose head sits where that score puts it, so
// the picture is one whole frame of play.
std::optional<Image> frameAt(RunningGame& game, XClient& x, Heading h, long long base, int wanted)
{
    std::optional<Image> frame;
    waitUntil(
        [&] {
            const auto before = game.score();
            auto image = x.grab(game.window());
            const auto after = game.score();
            if (!before || !after || !image || before->score != after->score) {
                return false;
            }
            const auto b = readBoard(*image);
            const int d = static_cast<int>(after->score - base);
            if (!b || d < wanted || b->count(Cell::other) != 0 ||
                b->where(Cell::head) != std::vector{step(centre, h, d)}) {
                return false;
            }
            frame = std::move(image);
            return true;
        },
        std::chrono::seconds(10), std::chrono::milliseconds(2));
    return frame;
}

bool save(const Image& image, const char* path)
{
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            out.setPixel(x, y, 0xFF000000u | image.at(x, y));
        }
    }
    return out.save(QString::fromLocal8Bit(path), "PNG");
}

int run(const char* executable, const char* output)
{
    XServer server;
    XClient x(server);
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
    if (!frame || !save(*frame, output)) {
        std::fprintf(stderr, "worm_screenshot: no clean frame saved\n");
        return 1;
    }
    std::printf("%s: %s\n", output, game.title().value_or("").c_str());
    return 0;
}

} // namespace
} // namespace worm::e2e

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <worm executable> <output.png>\n", argv[0]);
        return 2;
    }
    try {
        return worm::e2e::run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "worm_screenshot: %s\n", e.what());
        return 1;
    }
}
