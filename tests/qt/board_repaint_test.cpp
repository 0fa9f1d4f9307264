// The board's repaint: a step repaints the few cells around it, not the board, and leaves the
// picture a full repaint gives; the toolkit's keys take the game's codes only for its own keys.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "fuzz/view_checks.h"
#include "fuzz/view_watch.h"
#include "tests/support/session.h"
#include "window/handlers.h"
#include "window/qt/board_geometry.h"
#include "window/qt/board_painter.h"
#include "window/qt/qt_keys.h"

namespace worm {

class BoardRepaintTest : public QObject {
    Q_OBJECT

private slots:
    void aStepRepaintsOnlyTheCellsAroundIt_data()
    {
        QTest::addColumn<double>("ratio");
        for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0, 0.5, 1.1}) {
            QTest::addRow("ratio %g", ratio) << ratio;
        }
    }

    void aStepRepaintsOnlyTheCellsAroundIt()
    {
        QFETCH(double, ratio);
        testing::ScriptedSession t;
        t.session.load();
        const QRect window(0, 0, 450, 450);
        const BoardLayout layout = fitBoard(t.form(), window.size(), ratio);
        QImage shown(qRound(window.width() * ratio), qRound(window.height() * ratio), QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio);
        BoardPainter board;
        QCOMPARE(fuzz::paintOffscreen(board, shown, window, t.form(), layout, ratio), 2500);

        t.form().damage().clear();
        t.session.keyDown(keys::up);
        t.session.tick();
        const auto changed = static_cast<int>(t.form().damage().cells().size());
        QVERIFY2(changed >= 2 && changed <= 3, "a plain step changes the new head, the old one and the tail");
        const QRegion area = damagedArea(t.form(), layout, ratio) & window;
        const int visited = fuzz::paintOffscreen(board, shown, area, t.form(), layout, ratio);
        // Each changed cell, and of its neighbours at most those a rounded device pixel reaches.
        QVERIFY2(visited >= changed && visited <= 9 * changed, qPrintable(QString::number(visited)));

        QImage full(shown.size(), QImage::Format_RGB32);
        full.setDevicePixelRatio(ratio);
        fuzz::paintOffscreen(board, full, window, t.form(), layout, ratio);
        QVERIFY(shown == full);
    }

    // Round cells are copied from an image drawn once a size; each must match an ellipse drawn
    // in place, through a run of window sizes that changes the cell size back and forth.
    void aRoundCellLooksTheSameCopiedAsDrawnInPlace()
    {
        testing::ScriptedSession t;
        t.session.load();
        BoardPainter board;
        for (const int side : {450, 300, 613, 450, 1000, 301}) {
            const QRect window(0, 0, side, side);
            const BoardLayout layout = fitBoard(t.form(), window.size(), 1.0);
            QImage copied(window.size(), QImage::Format_RGB32);
            QPainter painter(&copied);
            board.paint(painter, t.form(), layout, 1.0, window);
            painter.end();

            QImage drawn = copied;
            painter.begin(&drawn);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            int circles = 0;
            for (int k = 1; k < t.form().cellCount(); ++k) {
                const CellRecord& c = t.form().cell(k);
                if (c.visible && c.shape == Shape::circle) {
                    const PixelRect r = layout.cellRect(c);
                    const QRect box(r.x, r.y, r.width, r.height);
                    painter.fillRect(box, boardBackground);
                    painter.setBrush(QColor(redOf(c.colour), greenOf(c.colour), blueOf(c.colour)));
                    painter.drawEllipse(box);
                    ++circles;
                }
            }
            painter.end();
            QCOMPARE(circles, 1);
            QVERIFY2(copied == drawn, qPrintable(QStringLiteral("window side %1").arg(side)));
        }
    }

    // Every Latin-1 key and every named key of the toolkit, and the unknown key.
    void onlyTheArrowsAndPBecomeTheGamesCodes()
    {
        std::vector<int> qtKeys{Qt::Key_unknown};
        for (int k = 0; k <= 0xff; ++k) {
            qtKeys.push_back(k);
        }
        for (int k = 0x01000000; k <= 0x0100ffff; ++k) {
            qtKeys.push_back(k);
        }
        for (const int k : qtKeys) {
            const std::string fault = fuzz::keyCodeFault(k, virtualKeyCode(k));
            QVERIFY2(fault.empty(), fault.c_str());
        }
    }
};

} // namespace worm

QTEST_MAIN(worm::BoardRepaintTest)
#include "board_repaint_test.moc"
