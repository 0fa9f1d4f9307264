// The invariants of the Qt window's arithmetic: where the board lands, what a change repaints,
// where the buttons go, and which codes the keys become.
#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <string>

#include "window/board_layout.h"
#include "window/form_model.h"

namespace worm::fuzz {

// Square whole-pixel cells tiling a board centred within one device pixel and inside the
// window; a window too small for one pixel a cell keeps that smallest board at its top left.
void checkBoardFits(const FormModel& form, const BoardLayout& layout, QSize logical, double ratio);

// Game Over stays centred on the board, and the captions keep a size a font can take.
void checkButtons(const FormModel& form, const BoardLayout& layout, double ratio);

// Every device pixel of every changed cell in the window lies inside the device area the
// toolkit repaints for the logical area asked for.
void checkRepaintCovers(const FormModel& form, const BoardLayout& layout, const QRegion& deviceArea,
                        QSize deviceWindow);

// A toolkit key becomes a code the keyboard handler takes, one of the game's own only for the
// arrows and P. Returns what is wrong, or nothing.
std::string keyCodeFault(int qtKey, std::int16_t code);

// The images are the same pixel for pixel; `what` names the first that is not.
void checkSameImage(const QImage& shown, const QImage& full, const char* what);

// No pixel keeps the colour an image had before the board was painted on it.
void checkAllPainted(const QImage& image, QRgb unpainted);

// The middle of every cell in the image shows the cell's colour, or the background if hidden.
void checkCellsShown(const QImage& image, const FormModel& form, const BoardLayout& layout);

} // namespace worm::fuzz
