// FormModel: cells, title, timer and buttons; unload and show restore the design values.
#include "window/form_model.h"

#include <cmath>
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

const CellRecord& FormModel::cell(int k) const
{
    requireCell(k);
    return cells_[static_cast<std::size_t>(k)];
}

CellRecord& FormModel::changeCell(int k)
{
    requireCell(k);
    damage_.markCell(k);
    return cells_[static_cast<std::size_t>(k)];
}

// Cells are kept to whole pixels so that they draw crisp and tile without seams.
double FormModel::wholePixels(double twips) const
{
    return std::round(twips / twipsPerPixel_) * twipsPerPixel_;
}

// A cell is never rounded away to nothing.
double FormModel::wholeLength(double twips) const
{
    return std::max(1.0, std::round(twips / twipsPerPixel_)) * twipsPerPixel_;
}

void FormModel::createCell(int k)
{
    if (k != cellCount() || k > maxCell) {
        throw std::logic_error("cell " + std::to_string(k) + " cannot be created");
    }
    CellRecord copy = cells_.front();
    copy.visible = false;
    cells_.push_back(copy);
    damage_.markCell(k);
}

void FormModel::setVisible(int k, bool visible)
{
    if (cell(k).visible != visible) {
        changeCell(k).visible = visible;
    }
}

void FormModel::setFillColour(int k, Colour colour)
{
    if (cell(k).colour != colour) {
        changeCell(k).colour = colour;
    }
}

void FormModel::setShape(int k, Shape shape)
{
    if (cell(k).shape != shape) {
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
    cells_.push_back(CellRecord{design::templateLeft, design::templateTop, design::templateWidth,
                                design::templateHeight, true, design::templateColour, design::templateShape});
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
