// The Qt window's invariants, each reported through the fuzzer's finding().
#include "fuzz/view_checks.h"

#include <Qt>

#include <cmath>
#include <cstring>
#include <string>

#include "fuzz/event_script.h"
#include "window/handlers.h"
#include "window/qt/board_geometry.h"
#include "window/qt/board_painter.h"

// Pixel scans are the fuzzer's hottest loops and hold nothing for it to learn from.
#if defined(__clang__)
#define WORM_UNTRACED __attribute__((no_sanitize("coverage")))
#else
#define WORM_UNTRACED
#endif

namespace worm::fuzz {
namespace {

std::string text(const QRect& r)
{
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
           std::to_string(r.y());
}

std::string where(QSize logical, double ratio)
{
    return " in a " + std::to_string(logical.width()) + "x" + std::to_string(logical.height()) +
           " window at device pixel ratio " + std::to_string(ratio);
}

// One axis of the board in a window of `window` device pixels.
void checkAxis(const char* axis, int origin, int cells, int pitch, int window, const std::string& context)
{
    const long long extent = static_cast<long long>(cells) * pitch;
    if (cells > window) {
        if (origin != 0 || pitch != 1) {
            finding(std::string("a board too large for the window is not the smallest at the ") + axis +
                    " edge" + context);
        }
        return;
    }
    if (origin < 0 || origin + extent > window) {
        finding(std::string("the board leaves the window ") + axis + context);
    }
    if (std::llabs(2 * origin + extent - window) > 2) {
        finding(std::string("the board is off centre ") + axis + " by more than a device pixel" + context);
    }
}

} // namespace

void checkBoardFits(const FormModel& form, const BoardLayout& layout, QSize logical, double ratio)
{
    const std::string context = where(logical, ratio);
    const int pitch = layout.cellPixels();
    if (pitch < 1 || layout.columns() != layout.rows() ||
        (form.cellCount() - 1) != layout.columns() * layout.rows()) {
        finding("the layout is not a square grid of the board's cells" + context);
    }
    checkAxis("across", layout.originX(), layout.columns(), pitch, qRound(logical.width() * ratio), context);
    checkAxis("down", layout.originY(), layout.rows(), pitch, qRound(logical.height() * ratio), context);
    for (int k = 1; k < form.cellCount(); ++k) {
        const int column = (k - 1) % layout.columns();
        const int row = (k - 1) / layout.columns();
        const PixelRect expected{layout.originX() + column * pitch, layout.originY() + row * pitch, pitch,
                                 pitch};
        if (layout.cellRect(form.cell(k)) != expected) {
            finding("cell " + std::to_string(k) + " is not a whole square of the grid" + context);
        }
    }
}

void checkButtons(const FormModel& form, const BoardLayout& layout, double ratio)
{
    const double boardCentreX = (layout.originX() + layout.columns() * layout.cellPixels() / 2.0) / ratio;
    const double boardCentreY = (layout.originY() + layout.rows() * layout.cellPixels() / 2.0) / ratio;
    // Each edge of the box rounds once to device and once to logical pixels.
    const double slack = 0.5 + 0.5 / ratio + 1e-9;
    const QRect gameover = buttonBox(form.button(Button::gameover), layout, ratio);
    if (std::abs(gameover.x() + gameover.width() / 2.0 - boardCentreX) > slack ||
        std::abs(gameover.y() + gameover.height() / 2.0 - boardCentreY) > slack) {
        finding("Game Over at " + text(gameover) + " is off the board's centre at ratio " +
                std::to_string(ratio));
    }
    const QRect pause = buttonBox(form.button(Button::pause), layout, ratio);
    if (gameover.width() < 0 || gameover.height() < 0 || pause.width() < 0 || pause.height() < 0) {
        finding("a button has a negative size at ratio " + std::to_string(ratio));
    }
    const double points = buttonFontPoints(form, layout, ratio);
    if (!std::isfinite(points) || points <= 0) {
        finding("the buttons' caption size is " + std::to_string(points) + " points");
    }
}

void checkRepaintCovers(const FormModel& form, const BoardLayout& layout, const QRegion& deviceArea,
                        QSize deviceWindow)
{
    const QRect window(QPoint(0, 0), deviceWindow);
    for (const auto k : form.damage().cells()) {
        if (k == 0) {
            continue; // the template is never drawn
        }
        const PixelRect r = layout.cellRect(form.cell(k));
        const QRect shown = QRect(r.x, r.y, r.width, r.height) & window;
        if (!shown.isEmpty() && !(QRegion(shown) - deviceArea).isEmpty()) {
            finding("changed cell " + std::to_string(k) + " at " + text(shown) + " is not all repainted");
        }
    }
}

std::string keyCodeFault(int qtKey, std::int16_t code)
{
    struct GameKey {
        int qt;
        std::int16_t code;
    };
    static constexpr GameKey gameKeys[] = {{Qt::Key_Left, keys::left},
                                           {Qt::Key_Up, keys::up},
                                           {Qt::Key_Right, keys::right},
                                           {Qt::Key_Down, keys::down},
                                           {Qt::Key_P, keys::p}};
    const auto became = [&] {
        return "key " + std::to_string(qtKey) + " became code " + std::to_string(code);
    };
    if (code < 1 || code > 255) {
        return became() + ", outside the virtual key codes";
    }
    for (const GameKey& g : gameKeys) {
        if ((g.qt == qtKey) != (g.code == code)) {
            return became() + ": only the arrows and P take the game's codes";
        }
    }
    return {};
}

WORM_UNTRACED void checkSameImage(const QImage& shown, const QImage& full, const char* what)
{
    const auto bytes = static_cast<std::size_t>(shown.width()) * 4;
    for (int y = 0; y < shown.height(); ++y) {
        if (std::memcmp(shown.constScanLine(y), full.constScanLine(y), bytes) == 0) {
            continue;
        }
        int x = 0;
        while (shown.pixel(x, y) == full.pixel(x, y)) {
            ++x;
        }
        finding(std::string(what) + ": device pixel " + std::to_string(x) + "," + std::to_string(y) + " of " +
                std::to_string(shown.width()) + "x" + std::to_string(shown.height()) + " at ratio " +
                std::to_string(shown.devicePixelRatio()) + " differs from a full repaint");
    }
}

WORM_UNTRACED void checkAllPainted(const QImage& image, QRgb unpainted)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == unpainted) {
                finding("a full repaint left device pixel " + std::to_string(x) + "," + std::to_string(y) +
                        " unpainted at ratio " + std::to_string(image.devicePixelRatio()));
            }
        }
    }
}

// A circle fills its middle pixel only from three pixels across.
WORM_UNTRACED void checkCellsShown(const QImage& image, const FormModel& form, const BoardLayout& layout)
{
    const QRect inside = image.rect();
    for (int k = 1; k < form.cellCount(); ++k) {
        const CellRecord& c = form.cell(k);
        const PixelRect r = layout.cellRect(c);
        const QPoint middle(r.x + r.width / 2, r.y + r.height / 2);
        if (!inside.contains(middle) || (c.visible && c.shape == Shape::circle && r.width < 3)) {
            continue;
        }
        const QRgb expected =
            c.visible ? qRgb(redOf(c.colour), greenOf(c.colour), blueOf(c.colour)) : boardBackground.rgb();
        if (image.pixel(middle) != expected) {
            finding("cell " + std::to_string(k) + " at " + text(QRect(r.x, r.y, r.width, r.height)) +
                    " does not show its colour at ratio " + std::to_string(image.devicePixelRatio()));
        }
    }
}

} // namespace worm::fuzz
