#include "support/RosterGrid.h"
#include "widgets/ButtonCellGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {

std::unique_ptr<ButtonCellGrid> rosterGrid(int rows)
{
    return ::rosterGrid(rows, [](int row) { return QStringLiteral("Фамилия %1").arg(row); });
}

void sendWheel(QWidget* target, int angle)
{
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

bool isBluish(const QColor& c)
{
    return c.blue() > c.red() + 80 && c.blue() > c.green() + 40;
}

} // namespace

class TestButtonCellGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changingCountsKeepsTheRemainingTexts()
    {
        ButtonCellGrid grid;
        grid.setColumnCount(3);
        grid.setRowCount(4);
        for (int col = 0; col < 3; ++col)
            for (int row = 0; row < 4; ++row)
                grid.setCell(col, row, QStringLiteral("%1:%2").arg(col).arg(row));

        grid.setRowCount(2);
        grid.setColumnCount(1); // the reader's sequence: one column, then two
        grid.setColumnCount(2);
        grid.setRowCount(4);
        QCOMPARE(grid.columnCount(), 2);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cell(0, 0), QStringLiteral("0:0"));
        QCOMPARE(grid.cell(0, 1), QStringLiteral("0:1"));
        // Cells that went away come back empty, not with their old texts.
        QCOMPARE(grid.cell(0, 2), QString());
        QCOMPARE(grid.cell(1, 0), QString());
        QCOMPARE(grid.cell(1, 3), QString());
    }

    void outOfRangeAccessIsSafe_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("column -1") << -1 << 0;
        QTest::newRow("row -1") << 0 << -1;
        QTest::newRow("column count") << 2 << 0;
        QTest::newRow("row count") << 0 << 3;
        QTest::newRow("extremes") << std::numeric_limits<int>::min()
                                  << std::numeric_limits<int>::max();
    }
    void outOfRangeAccessIsSafe()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        ButtonCellGrid grid;
        grid.setColumnCount(2);
        grid.setRowCount(3);
        grid.setCell(0, 0, QStringLiteral("Иванов"));
        grid.setCell(col, row, QStringLiteral("лишнее"));
        QCOMPARE(grid.cell(col, row), QString());
        QVERIFY(grid.cellRect(col, row).isEmpty());
        QCOMPARE(grid.cell(0, 0), QStringLiteral("Иванов"));
        QCOMPARE(grid.columnCount(), 2);
        QCOMPARE(grid.rowCount(), 3);
    }

    void countsAreClamped()
    {
        ButtonCellGrid grid;
        grid.setRowCount(-3);
        grid.setColumnCount(-1);
        QCOMPARE(grid.rowCount(), 0);
        QCOMPARE(grid.columnCount(), 0);
        QCOMPARE(grid.cell(0, 0), QString());
        grid.setColumnCount(2);
        grid.setFixedColumns(5);
        QCOMPARE(grid.fixedColumns(), 2);
        grid.setColumnCount(1);
        QCOMPARE(grid.fixedColumns(), 1);
        grid.setRowCount(std::numeric_limits<int>::max());
        QCOMPARE(grid.rowCount(), ButtonCellGrid::MaximumRowCount);
    }

    void columnWidthsSurviveACountChange()
    {
        ButtonCellGrid grid;
        grid.setColumnCount(2);
        grid.setColumnWidth(1, 13);
        grid.setColumnCount(1);
        grid.setColumnCount(2);
        QCOMPARE(grid.columnWidth(1), 13);
        QCOMPARE(grid.columnWidth(7), grid.defaultColumnWidth());
        grid.setColumnWidth(-1, 50); // ignored
        QCOMPARE(grid.columnWidth(-1), grid.defaultColumnWidth());
    }

    void theRosterGridShows33Rows()
    {
        auto grid = rosterGrid(33);
        QCOMPARE(grid->visibleRowCount(), 33);
        QCOMPARE(grid->cellRect(0, 0), QRect(1, 1, 149, 19));
        QCOMPARE(grid->cellRect(0, 32), QRect(1, 1 + 32 * 20, 149, 19));
        // The mark column starts just inside the right frame and is mostly out of view.
        QCOMPARE(grid->cellRect(1, 0), QRect(151, 1, 2, 19));
    }

    void pressingAButtonCellEmitsItsColumnAndRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 0;
        QTest::newRow("tenth") << 9;
        QTest::newRow("last visible") << 32;
    }
    void pressingAButtonCellEmitsItsColumnAndRow()
    {
        QFETCH(int, row);
        auto grid = rosterGrid(33);
        grid->show();
        QSignalSpy clicked(grid.get(), &ButtonCellGrid::buttonClicked);
        QTest::mouseClick(grid->clickTarget(), Qt::LeftButton, {}, grid->cellRect(0, row).center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().at(0).toInt(), 0);
        QCOMPARE(clicked.first().at(1).toInt(), row);
        QCOMPARE(grid->cellAt(grid->cellRect(0, row).topLeft()), QPoint(0, row));
    }

    void cellsOfOtherColumnsAndReleasesElsewhereAreNoClick()
    {
        auto grid = rosterGrid(33);
        grid->resize(167, 665); // widened so that the mark column is in view
        grid->show();
        QSignalSpy clicked(grid.get(), &ButtonCellGrid::buttonClicked);
        QTest::mouseClick(grid.get(), Qt::LeftButton, {}, grid->cellRect(1, 4).center());
        QCOMPARE(clicked.size(), 0);
        // Pressed on one name and released on another: like a push button, no click.
        QTest::mousePress(grid.get(), Qt::LeftButton, {}, grid->cellRect(0, 4).center());
        QTest::mouseRelease(grid.get(), Qt::LeftButton, {}, grid->cellRect(0, 5).center());
        QCOMPARE(clicked.size(), 0);
        // The right mouse button does not press buttons either.
        QTest::mouseClick(grid.get(), Qt::RightButton, {}, grid->cellRect(0, 4).center());
        QCOMPARE(clicked.size(), 0);
        // Without fixed columns nothing is a button.
        grid->setFixedColumns(0);
        QTest::mouseClick(grid.get(), Qt::LeftButton, {}, grid->cellRect(0, 4).center());
        QCOMPARE(clicked.size(), 0);
    }

    void aButtonCellLooksPressedWhileTheMouseIsDown()
    {
        auto grid = rosterGrid(33);
        grid->show();
        const QRect cell = grid->cellRect(0, 3);
        const QImage raised = grid->grab(cell).toImage();
        QTest::mousePress(grid.get(), Qt::LeftButton, {}, cell.center());
        const QImage pressed = grid->grab(cell).toImage();
        QTest::mouseRelease(grid.get(), Qt::LeftButton, {}, cell.center());
        QVERIFY(pressed != raised);
        // The top edge of a raised button is its light bevel; pressed, it is dark.
        QVERIFY(qGray(raised.pixel(cell.width() / 2, 0)) >
                qGray(pressed.pixel(cell.width() / 2, 0)));
        QCOMPARE(grid->grab(cell).toImage(), raised);
    }

    void gridLinesAreBlue()
    {
        auto grid = rosterGrid(33);
        const QImage image = grid->grab().toImage();
        QVERIFY(isBluish(image.pixelColor(70, 20)));  // bottom line of row 0
        QVERIFY(isBluish(image.pixelColor(150, 10))); // right line of column 0
        QVERIFY(!isBluish(image.pixelColor(70, 10))); // inside the name button
    }

    void scrollBarAppearsOnlyWhenTheRowsDoNotFit()
    {
        auto grid = rosterGrid(33);
        grid->show();
        QVERIFY(!grid->isScrollBarShown());
        QCOMPARE(grid->width(), 154);

        grid->setRowCount(40);
        const int extent = grid->scrollBarExtent();
        QVERIFY(extent > 0);
        QVERIFY(grid->isScrollBarShown());
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->width(), 154 + extent);
        QCOMPARE(grid->cellRect(0, 0).width(), 149); // the name column stays whole
        QVERIFY(grid->cellRect(0, 39).isEmpty());    // out of view

        grid->setCell(0, 39, QStringLiteral("Яковлева"));
        grid->scrollToRow(39);
        QCOMPARE(grid->topRow(), 40 - 33);
        const QRect last = grid->cellRect(0, 39);
        QCOMPARE(last.height(), 19);
        QSignalSpy clicked(grid.get(), &ButtonCellGrid::buttonClicked);
        QTest::mouseClick(grid->clickTarget(), Qt::LeftButton, {}, last.center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().at(1).toInt(), 39);
        QCOMPARE(grid->cell(0, clicked.first().at(1).toInt()), QStringLiteral("Яковлева"));

        grid->scrollToRow(0);
        QCOMPARE(grid->topRow(), 0);

        grid->setRowCount(33);
        QVERIFY(!grid->isScrollBarShown());
        QCOMPARE(grid->width(), 154);
        QCOMPARE(grid->topRow(), 0);
    }

    void theMouseWheelScrollsByRows()
    {
        auto grid = rosterGrid(60);
        grid->show();
        sendWheel(grid.get(), -120);
        QCOMPARE(grid->topRow(), QApplication::wheelScrollLines());
        sendWheel(grid.get(), -60); // half a notch waits for the other half
        QCOMPARE(grid->topRow(), QApplication::wheelScrollLines());
        sendWheel(grid.get(), -60);
        QCOMPARE(grid->topRow(), 2 * QApplication::wheelScrollLines());
        for (int i = 0; i < 40; ++i)
            sendWheel(grid.get(), -120);
        QCOMPARE(grid->topRow(), 60 - 33);
        sendWheel(grid.get(), 10 * 120);
        QCOMPARE(grid->topRow(), 0);
    }

    void widthGivenByTheOwnerIsTheWidthWithoutTheBar()
    {
        // The classmate screen widens the grid to 167 pixels on the first click of a name.
        auto grid = rosterGrid(40);
        grid->show();
        const int extent = grid->scrollBarExtent();
        grid->resize(167, 665);
        QCOMPARE(grid->width(), 167 + extent);
        grid->setFixedWidth(170);
        QCOMPARE(grid->width(), 170 + extent);
        grid->setRowCount(10);
        QCOMPARE(grid->width(), 170);
        QCOMPARE(grid->minimumWidth(), 170);
    }

    void aHiddenGridWidensWhenShownAndOnlyOnce()
    {
        // Screens fill their grids before they are shown; Qt delivers the size to a hidden
        // widget at its first show, which must not be taken for a new width from the owner.
        auto grid = rosterGrid(40);
        const int extent = grid->scrollBarExtent();
        QVERIFY(grid->isScrollBarShown());
        QCOMPARE(grid->cellRect(0, 0), QRect(1, 1, 149, 19)); // already right while hidden
        grid->show();
        QCOMPARE(grid->width(), 154 + extent);
        grid->hide();
        grid->show();
        QCOMPARE(grid->width(), 154 + extent);
        grid->hide();
        grid->setRowCount(20);
        QCOMPARE(grid->width(), 154);
        grid->show();
        QCOMPARE(grid->width(), 154);
        QVERIFY(!grid->verticalScrollBar()->isVisible());
    }

    void aTallerGridNeedsNoBar()
    {
        auto grid = rosterGrid(40);
        grid->show();
        QVERIFY(grid->isScrollBarShown());
        grid->resize(grid->width(), 40 * 20 + 2);
        QVERIFY(!grid->isScrollBarShown());
        QCOMPARE(grid->width(), 154);
    }
};

QTEST_MAIN(TestButtonCellGrid)
#include "tst_buttoncellgrid.moc"
