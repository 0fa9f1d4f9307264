// FormModel: cells, title, timer and buttons; unload and show restore the design values.
#include "window/form_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "window/form_design.h"

namespace worm {

FormModel::FormModel(double twipsPerPixel) : twipsPerPixel_(twipsPerPixel)
{
    cells_.reserve(maxCell + 1);
    restoreDesign();
}

double FormModel::frameWidth() { return design::frameWidth; }
double FormModel::frameHeight() { return design::frameHeight; }

void FormModel::requireCell(int k) const
{
    if (!exists(k)) {
        throw std::out_of_range("cell " + std::to_string(k) + " does not exist");
    }
}

const FormModel::StoredCell& FormModel::stored(int k) const
{
    requireCell(k);
    return cells_[static_cast<std::size_t>(k)];
}

CellRecord FormModel::cell(int k) const
{
    const StoredCell& c = stored(k);
    return CellRecord{twips(c.left), twips(c.top), twips(c.width), twips(c.height),
                      c.visible,     c.colour,     c.shape};
}

FormModel::StoredCell& FormModel::changeCell(int k)
{
    requireCell(k);
    damage_.markCell(k);
    return cells_[static_cast<std::size_t>(k)];
}

// Cells are kept to whole pixels so that they draw crisp and tile without seams; a place beyond
// two billion pixels is held at that edge rather than overflow.
std::int32_t FormModel::wholePixels(double twips) const
{
    constexpr double edge = std::numeric_limits<std::int32_t>::max();
    const double pixels = std::round(twips / twipsPerPixel_);
    return std::isnan(pixels) ? 0 : static_cast<std::int32_t>(std::clamp(pixels, -edge, edge));
}

// A cell is never rounded away to nothing.
std::int32_t FormModel::wholeLength(double twips) const { return std::max(1, wholePixels(twips)); }

void FormModel::createCell(int k)
{
    if (k != cellCount() || k > maxCell) {
        throw std::logic_error("cell " + std::to_string(k) + " cannot be created");
    }
    StoredCell copy = cells_.front();
    copy.visible = false;
    cells_.push_back(copy);
    damage_.markCell(k);
}

void FormModel::setVisible(int k, bool visible)
{
    if (stored(k).visible != visible) {
        changeCell(k).visible = visible;
    }
}

void FormModel::setFillColour(int k, Colour colour)
{
    if (stored(k).colour != colour) {
        changeCell(k).colour = colour;
    }
}

void FormModel::setShape(int k, Shape shape)
{
    if (stored(k).shape != shape) {
        changeCell(k).shape = shape;
    }
}

void FormModel::setLeft(int k, double twips) { changeCell(k).left = wholePixels(twips); }
void FormModel::setTop(int k, double twips) { changeCell(k).top = wholePixels(twips); }
void FormModel::setWidth(int k, double twips) { changeCell(k).width = wholeLength(twips); }
void FormModel::setHeight(int k, double twips) { changeCell(k).height = wholeLength(twips); }

void FormModel::unload()
{
    loaded_ = false;
    cells_.clear();
    damage_.markEverything();
}

void FormModel::show()
{
    if (loaded_) {
        return; // already shown: a classic form's Show does not load it twice
    }
    restoreDesign();
    loaded_ = true;
    ++loads_;
    if (onLoad_) {
        onLoad_();
    }
}

void FormModel::restoreDesign()
{
    cells_.clear();
    cells_.push_back(StoredCell{wholePixels(design::templateLeft), wholePixels(design::templateTop),
                                wholeLength(design::templateWidth), wholeLength(design::templateHeight),
                                design::templateColour, true, design::templateShape});
    const auto place = [](const design::ButtonDesign& d) {
        return ButtonRecord{d.left, d.top, d.width, d.height, false};
    };
    buttons_[index(Button::gameover)] = place(design::gameover);
    buttons_[index(Button::pause)] = place(design::pause);
    innerWidth_ = design::innerWidth;
    innerHeight_ = design::innerHeight;
    title_ = design::title;
    interval_ = design::timerInterval;
    damage_.markEverything();
}

} // namespace worm
