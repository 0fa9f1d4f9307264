// CaptionButton: the bevel from the style, the caption word-wrapped the way a classic form
// wraps a caption too long for one line.
#include "window/qt/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "window/form_design.h"

namespace worm {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::NoFocus); // every key must reach the board
    QFont font(QString::fromLatin1(design::buttonFontFamily));
    font.setPointSizeF(design::buttonFontPoints);
    font.setBold(true);
    setFont(font);
    hide();
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
