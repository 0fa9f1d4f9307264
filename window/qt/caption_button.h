// CaptionButton: a push button that never takes the keyboard focus and wraps its caption.
#pragma once

#include <QPushButton>

namespace worm {

class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace worm
