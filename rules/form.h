// Form: the operations of the game window that the rules use, and nothing more.
#pragma once

#include <cstdint>
#include <string_view>

#include "rules/colour.h"

namespace worm {

enum class Shape : std::uint8_t { rectangle = 0, circle = 3 };

enum class Button : std::uint8_t { gameover, pause };

// Lengths are twips (1/1440 inch). Cell 0 is the template; cells 1 to 2500 exist after init
// creates them. The rules name only cells that exist.
class Form {
public:
    virtual ~Form() = default;

    // Cells, the control array Block.
    virtual void createCell(int k) = 0;
    virtual bool visible(int k) const = 0;
    virtual void setVisible(int k, bool visible) = 0;
    virtual Colour fillColour(int k) const = 0;
    virtual void setFillColour(int k, Colour colour) = 0;
    virtual void setShape(int k, Shape shape) = 0;
    virtual void setLeft(int k, double twips) = 0;
    virtual void setTop(int k, double twips) = 0;
    virtual void setWidth(int k, double twips) = 0;
    virtual void setHeight(int k, double twips) = 0;
    virtual double width(int k) const = 0; // as stored, after any rounding
    virtual double height(int k) const = 0;

    // The window.
    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;
    virtual void setOuterWidth(double twips) = 0;
    virtual void setOuterHeight(double twips) = 0;
    virtual void setTitle(std::string_view title) = 0;
    virtual void unload() = 0;
    virtual void show() = 0; // loads afresh and runs Form_Load before it returns

    // The timer Timer1; 0 stops it.
    virtual void setInterval(std::int32_t milliseconds) = 0;

    // The buttons.
    virtual void showButton(Button b) = 0;
    virtual void hideButton(Button b) = 0;
    virtual double buttonWidth(Button b) const = 0;
    virtual double buttonHeight(Button b) const = 0;
    virtual void setButtonLeft(Button b, double twips) = 0;
    virtual void setButtonTop(Button b, double twips) = 0;
};

} // namespace worm
