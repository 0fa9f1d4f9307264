// CaptionButton: a push button that wraps its caption and takes the focus only from Tab.
#pragma once

#include <QPushButton>

namespace worm {

class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace worm
