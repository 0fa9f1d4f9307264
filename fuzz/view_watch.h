// ViewWatch: the Qt window's layout, repaints and key mapping, mirrored offscreen over a fuzzed
// game at any window size and device pixel ratio, and checked after every event.
#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

#include <cstdint>

#include "fuzz/event_script.h"
#include "window/board_layout.h"
#include "window/form_model.h"
#include "window/qt/board_painter.h"

namespace worm::fuzz {

// A paint event for the logical `area` on an image standing in for the window's backing store:
// clipped to the device pixels the toolkit would let the window paint, and drawn by the
// window's painter. Returns how many cells the painter looked at.
int paintOffscreen(BoardPainter& board, QImage& image, const QRegion& area, const FormModel& form,
                   const BoardLayout& layout, double ratio);

struct ViewTotals {
    std::uint64_t resizes = 0;
    std::uint64_t ratios = 0;
    std::uint64_t keys = 0;
    std::uint64_t repaints = 0;    // partial repaints drawn into an image
    std::uint64_t comparisons = 0; // images compared with a full repaint
};

class ViewWatch final : public ScriptExtension {
public:
    int operations() const override { return 5; }
    void operate(int op, ScriptInput& in) override;
    void afterEvent(const GameSession& session) override;
    void finished(const GameSession& session) override;

    static const ViewTotals& totals();

private:
    void resize(QSize logical);
    void setRatio(double devicePixelRatio);
    void resized();
    void key(ScriptInput& in);
    void relayout();
    void newImage();
    void repaint();
    void compare();
    QRect widgetRect() const { return QRect(QPoint(0, 0), size_); }
    QSize deviceSize() const;

    const GameSession* session_ = nullptr;
    QSize size_;
    double ratio_ = 1;
    BoardLayout layout_;
    BoardPainter board_;
    QImage shown_;                     // what the window shows, null while it is too large to draw here
    QRegion pending_;                  // the logical area waiting for the next paint
    int held_ = 0;                     // events still to come before the next paint
    bool paintedSinceCompare_ = false; // a second comparison of the same image finds nothing new
};

} // namespace worm::fuzz
