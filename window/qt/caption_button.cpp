// CaptionButton: the bevel from the style, the caption word-wrapped the way a classic form
// wraps a caption too long for one line.
#include "window/qt/caption_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "window/form_design.h"

namespace worm {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::TabFocus); // a mouse click leaves the keyboard with the board
    QFont font(QString::fromLatin1(design::buttonFontFamily));
    font.setPointSizeF(design::buttonFontPoints);
    font.setBold(true);
    setFont(font);
    hide();
}

// Space, Enter and Return click the focused button at once; every other key, arrows included,
// goes on to the board and so to the game, instead of moving the focus as a push button would.
void CaptionButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Enter || key == Qt::Key_Return) {
        click();
    } else {
        event->ignore();
    }
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace worm
