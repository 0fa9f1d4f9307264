// FormModel: the game window's whole state as the rules see it, kept apart from any toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/form.h"
#include "window/damage.h"

namespace worm {

// One cell as the rules wrote it, lengths in twips.
struct CellRecord {
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    Colour colour = 0;
    Shape shape = Shape::rectangle;
};

struct ButtonRecord {
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    bool operator==(const ButtonRecord&) const = default;
};

class FormModel final : public Form {
public:
    static constexpr int maxCell = 2500;

    // twipsPerPixel is how the screen turns twips into pixels: cell lengths are kept whole.
    explicit FormModel(double twipsPerPixel = 15);

    // What show() runs once the design values are back: the window's Form_Load.
    void setLoadHandler(std::function<void()> onLoad) { onLoad_ = std::move(onLoad); }

    // Cells.
    void createCell(int k) override;
    bool visible(int k) const override { return stored(k).visible; }
    void setVisible(int k, bool visible) override;
    Colour fillColour(int k) const override { return stored(k).colour; }
    void setFillColour(int k, Colour colour) override;
    void setShape(int k, Shape shape) override;
    void setLeft(int k, double twips) override;
    void setTop(int k, double twips) override;
    void setWidth(int k, double twips) override;
    void setHeight(int k, double twips) override;
    double width(int k) const override { return twips(stored(k).width); }
    double height(int k) const override { return twips(stored(k).height); }

    // Window.
    double innerWidth() const override { return innerWidth_; }
    double innerHeight() const override { return innerHeight_; }
    void setOuterWidth(double twips) override { innerWidth_ = twips - frameWidth(); }
    void setOuterHeight(double twips) override { innerHeight_ = twips - frameHeight(); }
    void setTitle(std::string_view title) override { title_.assign(title); }
    void unload() override;
    void show() override;

    // Timer and buttons.
    void setInterval(std::int32_t milliseconds) override { interval_ = milliseconds; }
    void showButton(Button b) override { buttonRecord(b).visible = true; }
    void hideButton(Button b) override { buttonRecord(b).visible = false; }
    double buttonWidth(Button b) const override { return button(b).width; }
    double buttonHeight(Button b) const override { return button(b).height; }
    void setButtonLeft(Button b, double twips) override { buttonRecord(b).left = twips; }
    void setButtonTop(Button b, double twips) override { buttonRecord(b).top = twips; }

    // Read back by the window that draws the model, and by tests.
    bool loaded() const { return loaded_; }
    int loads() const { return loads_; } // boards built so far: each load is a new board
    int cellCount() const { return static_cast<int>(cells_.size()); } // template included
    bool exists(int k) const { return k >= 0 && k < cellCount(); }
    CellRecord cell(int k) const;
    const ButtonRecord& button(Button b) const { return buttons_[index(b)]; }
    const std::string& title() const { return title_; }
    std::int32_t interval() const { return interval_; }
    double twipsPerPixel() const { return twipsPerPixel_; }
    Damage& damage() { return damage_; }
    const Damage& damage() const { return damage_; }

private:
    // A cell as kept: lengths in whole pixels, half the size of a CellRecord, so that the board's
    // 2,501 cells take 60 KB rather than 120 (in the page, a whole page of memory less). A length
    // read back is the same double the rules' rounding gave.
    struct StoredCell {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        Colour colour = 0;
        bool visible = false;
        Shape shape = Shape::rectangle;
    };

    static double frameWidth();
    static double frameHeight();
    static std::size_t index(Button b) { return static_cast<std::size_t>(b); }
    ButtonRecord& buttonRecord(Button b) { return buttons_[index(b)]; }
    void requireCell(int k) const;
    const StoredCell& stored(int k) const;
    StoredCell& changeCell(int k); // marks the cell for repaint
    std::int32_t wholePixels(double twips) const;
    std::int32_t wholeLength(double twips) const;
    double twips(std::int32_t pixels) const { return pixels * twipsPerPixel_; }
    void restoreDesign();

    double twipsPerPixel_;
    std::function<void()> onLoad_;
    std::vector<StoredCell> cells_;
    std::array<ButtonRecord, 2> buttons_{};
    double innerWidth_ = 0, innerHeight_ = 0;
    std::string title_;
    std::int32_t interval_ = 0;
    bool loaded_ = false;
    int loads_ = 0;
    Damage damage_;
};

} // namespace worm
