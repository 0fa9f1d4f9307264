// BoardLayout: where the board's cells land in device pixels for a given window size.
#pragma once

#include "window/form_model.h"

namespace worm {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Each cell gets the same whole number of device pixels, the largest that fits the board in
// the window, so cells stay square and crisp at any size and scale; the board is centred.
class BoardLayout {
public:
    BoardLayout() = default;
    BoardLayout(const FormModel& form, int deviceWidth, int deviceHeight);

    int cellPixels() const { return cellPixels_; }
    int originX() const { return originX_; }
    int originY() const { return originY_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // Device pixels per twip on this layout, the same across and down.
    double pixelsPerTwip() const { return cellPixels_ / twipsPerCell_; }

    PixelRect cellRect(const CellRecord& c) const { return rect(c.left, c.top, c.width, c.height); }
    PixelRect rect(double left, double top, double width, double height) const;
    int toDeviceX(double twips) const { return originX_ + toPixels(twips); }
    int toDeviceY(double twips) const { return originY_ + toPixels(twips); }

private:
    int toPixels(double twips) const;

    double twipsPerCell_ = 1;
    int cellPixels_ = 1;
    int columns_ = 0, rows_ = 0;
    int originX_ = 0, originY_ = 0;
};

// The buttons' caption size in points, scaled with the board like the buttons themselves.
double buttonFontPoints(const FormModel& form, const BoardLayout& layout, double devicePixelRatio);

} // namespace worm
