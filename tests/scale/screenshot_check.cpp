// screenshot_check: reads a screenshot of the game window and checks that the board's cells are
// whole, square, seamless device-pixel squares in the game's exact colours, centred in the window.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr int across = 50;
constexpr QRgb red = qRgb(255, 0, 0);

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The wall is the only exact red on a fresh board, so its extent is the board's.
std::optional<Box> redExtent(const QImage& img)
{
    Box b{img.width(), img.height(), -1, -1};
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == red) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    if (b.right < 0) {
        return std::nullopt;
    }
    return b;
}

bool knownColour(QRgb c)
{
    for (const QRgb k : {qRgb(168, 168, 160), qRgb(50, 50, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                         qRgb(0, 150, 100), qRgb(0, 255, 0), red}) {
        if (c == k) {
            return true;
        }
    }
    return false;
}

bool uniform(const QImage& img, int x0, int y0, int pitch, QRgb colour)
{
    for (int y = y0; y < y0 + pitch; ++y) {
        for (int x = x0; x < x0 + pitch; ++x) {
            if (img.pixel(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

int fail(const std::string& what)
{
    std::fprintf(stderr, "screenshot_check: %s\n", what.c_str());
    return EXIT_FAILURE;
}

struct CellCount {
    int wall = 0;
    int blurred = 0;
};

CellCount inspectCells(const QImage& img, const Box& board, int pitch, std::string& problem)
{
    CellCount n;
    for (int row = 0; row < across; ++row) {
        for (int col = 0; col < across; ++col) {
            const int x0 = board.left + col * pitch, y0 = board.top + row * pitch;
            const QRgb centre = img.pixel(x0 + pitch / 2, y0 + pitch / 2);
            const bool ring = row == 0 || col == 0 || row == across - 1 || col == across - 1;
            if (!knownColour(centre) && problem.empty()) {
                problem = "cell " + std::to_string(col + 1) + "," + std::to_string(row + 1) +
                          " has no game colour at its centre";
            }
            if (ring && centre == red && uniform(img, x0, y0, pitch, red)) {
                ++n.wall;
            }
            // Only the head is a circle; every other cell is one flat colour to its edges.
            if (centre != qRgb(0, 150, 100) && !uniform(img, x0, y0, pitch, centre)) {
                ++n.blurred;
            }
        }
    }
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        return fail("usage: screenshot_check <png> <expected device pixels per cell>");
    }
    const QImage img = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const int expectedPitch = std::atoi(argv[2]);
    if (img.isNull()) {
        return fail("cannot read the screenshot");
    }
    const auto board = redExtent(img);
    if (!board) {
        return fail("no exact red wall in the screenshot");
    }
    if (board->width() != board->height() || board->width() % across != 0) {
        return fail("board is " + std::to_string(board->width()) + "x" + std::to_string(board->height()) +
                    " device pixels: not 50 square cells");
    }
    const int pitch = board->width() / across;
    if (pitch != expectedPitch) {
        return fail("cell pitch " + std::to_string(pitch) + ", expected " + std::to_string(expectedPitch));
    }
    const int marginLeft = board->left, marginRight = img.width() - 1 - board->right;
    const int marginTop = board->top, marginBottom = img.height() - 1 - board->bottom;
    if (std::abs(marginLeft - marginRight) > 1 || std::abs(marginTop - marginBottom) > 1) {
        return fail("board not centred: margins " + std::to_string(marginLeft) + "/" +
                    std::to_string(marginRight) + " " + std::to_string(marginTop) + "/" +
                    std::to_string(marginBottom));
    }
    std::string problem;
    const CellCount n = inspectCells(img, *board, pitch, problem);
    if (!problem.empty()) {
        return fail(problem);
    }
    if (n.wall != 4 * across - 4) {
        return fail(std::to_string(n.wall) + " wall cells of exact red, expected 196");
    }
    if (n.blurred != 0) {
        return fail(std::to_string(n.blurred) + " cells not one flat colour");
    }
    std::printf("screenshot_check: %dx%d window, 50x50 cells of %d px at %d,%d, 196 wall cells\n",
                img.width(), img.height(), pitch, board->left, board->top);
    return EXIT_SUCCESS;
}
