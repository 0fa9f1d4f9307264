// The board's and the spoken words' accessible roles, which Qt cannot set from a widget's
// properties, given through an accessibility factory.
#include "window/qt/screen_reader.h"

#include <QAccessibleWidget>

namespace worm {
namespace {

// The page's name for its board canvas.
const char* const boardName = "The board: the worm, its food and the obstacles inside a red wall";

// The board is drawn across the whole window, so its place is the window's.
class BoardAccessible final : public QAccessibleWidget {
public:
    explicit BoardAccessible(QWidget* board) : QAccessibleWidget(board, QAccessible::Graphic) {}

    // Given here rather than set on the widget: a name set on a widget is sent as a change, and
    // asking whether anyone listens may bring up Qt's accessibility bridge before the first board.
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QString::fromLatin1(boardName) : QAccessibleWidget::text(t);
    }

    QRect rect() const override
    {
        const QWidget* window = widget()->parentWidget();
        return {window->mapToGlobal(QPoint(0, 0)), window->size()};
    }
};

QAccessibleInterface* makeAccessible(const QString&, QObject* object)
{
    if (auto* board = dynamic_cast<BoardElement*>(object)) {
        return new BoardAccessible(board);
    }
    if (auto* words = dynamic_cast<SpokenWords*>(object)) {
        return new QAccessibleWidget(words, QAccessible::Notification);
    }
    return nullptr;
}

void installFactory()
{
    static const bool installed = (QAccessible::installFactory(makeAccessible), true);
    (void)installed;
}

} // namespace

BoardElement::BoardElement(QWidget* window) : QWidget(window)
{
    installFactory();
    setFocusPolicy(Qt::StrongFocus);
    resize(0, 0);
}

SpokenWords::SpokenWords(QWidget* window) : QWidget(window)
{
    installFactory();
    hide();
}

void SpokenWords::say(const std::string& words)
{
    setAccessibleName(QString::fromStdString(words));
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace worm
