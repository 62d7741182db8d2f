// The button-cell grid as assistive tools see it through QAccessible: a table of its cells, the
// names readable, the button cells pressable (also below the rows in view), and the table told
// anew when its rows change.

#include "support/RosterGrid.h"
#include "widgets/ButtonCellGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<ButtonCellGrid> rosterGrid(int rows)
{
    return ::rosterGrid(
        rows, [](int row) { return QStringLiteral("Ученик%1").arg(row).leftJustified(12, u' '); });
}

QAccessibleInterface* tableOf(ButtonCellGrid* grid)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    return table && table->tableInterface() ? table : nullptr;
}

// What an assistive tool finds in the table: the names of its push buttons, top to bottom.
QStringList buttonNames(QAccessibleInterface* table)
{
    QStringList names;
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface* child = table->child(i);
        if (child && child->role() == QAccessible::Button)
            names << child->text(QAccessible::Name);
    }
    return names;
}

std::vector<QAccessible::Event>* g_events = nullptr;
QObject* g_watched = nullptr;

// The events about the watched grid and about its cells.
void recordEvent(QAccessibleEvent* event)
{
    if (!g_events)
        return;
    QObject* about = event->object();
    if (about == nullptr)
        if (QAccessibleInterface* iface = event->accessibleInterface())
            if (QAccessibleTableCellInterface* cell = iface->tableCellInterface())
                about = cell->table()->object();
    if (about == g_watched)
        g_events->push_back(event->type());
}

} // namespace

class TestButtonCellGridAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theGridIsATableOfItsCells()
    {
        auto grid = rosterGrid(40);
        grid->setCell(1, 2, QStringLiteral("1"));
        grid->show();
        QAccessibleInterface* table = tableOf(grid.get());
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->tableInterface()->rowCount(), 40);
        QCOMPARE(table->tableInterface()->columnCount(), 2);
        // Every cell, row by row, and the scroll bar of the long roster after them.
        QCOMPARE(table->childCount(), 40 * 2 + 1);
        QCOMPARE(table->child(80)->role(), QAccessible::ScrollBar);

        QAccessibleInterface* name = table->tableInterface()->cellAt(9, 0);
        QVERIFY(name);
        QCOMPARE(name->text(QAccessible::Name), QStringLiteral("Ученик9")); // without the blanks
        QCOMPARE(name->role(), QAccessible::Button);
        QCOMPARE(name->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        QCOMPARE(name->tableCellInterface()->rowIndex(), 9);
        QCOMPARE(name->tableCellInterface()->columnIndex(), 0);
        QCOMPARE(name->parent(), table);
        QCOMPARE(table->child(9 * 2), name);
        QCOMPARE(table->indexOfChild(name), 9 * 2);

        QAccessibleInterface* mark = table->tableInterface()->cellAt(2, 1);
        QCOMPARE(mark->text(QAccessible::Name), QStringLiteral("1"));
        QCOMPARE(mark->role(), QAccessible::Cell);
        QCOMPARE(mark->actionInterface(), nullptr);

        QVERIFY(!table->tableInterface()->cellAt(40, 0));
        QVERIFY(!table->tableInterface()->cellAt(0, 2));
        QVERIFY(!table->child(81));

        // In view or not: a row below the 33 in view is there, but off the screen.
        QVERIFY(!table->tableInterface()->cellAt(32, 0)->state().offscreen);
        QVERIFY(table->tableInterface()->cellAt(39, 0)->state().offscreen);
        const QRect cellOnScreen = table->tableInterface()->cellAt(32, 0)->rect();
        QCOMPARE(cellOnScreen.size(), QSize(149, 19));
        QCOMPARE(table->childAt(cellOnScreen.center().x(), cellOnScreen.center().y()),
                 table->tableInterface()->cellAt(32, 0));
    }

    void pressingAButtonCellPressesIt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("topRowAfter");
        QTest::newRow("in view") << 9 << 0;
        QTest::newRow("below the rows in view") << 37 << 37 - 32;
        QTest::newRow("the last") << 39 << 40 - 33;
    }
    void pressingAButtonCellPressesIt()
    {
        QFETCH(int, row);
        QFETCH(int, topRowAfter);
        auto grid = rosterGrid(40);
        grid->show();
        QSignalSpy clicked(grid.get(), &ButtonCellGrid::buttonClicked);
        QAccessibleInterface* cell = tableOf(grid.get())->tableInterface()->cellAt(row, 0);
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // Scrolled into view at once; the press itself comes from the event loop, as a push
        // button's does.
        QCOMPARE(grid->topRow(), topRowAfter);
        QVERIFY(!cell->state().offscreen);
        QCOMPARE(clicked.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().at(0).toInt(), 0);
        QCOMPARE(clicked.first().at(1).toInt(), row);
    }

    void onlyButtonCellsOfAnEnabledGridCanBePressed()
    {
        auto grid = rosterGrid(5);
        grid->show();
        QSignalSpy clicked(grid.get(), &ButtonCellGrid::buttonClicked);
        QAccessibleTableInterface* table = tableOf(grid.get())->tableInterface();
        QCOMPARE(table->cellAt(3, 1)->actionInterface(), nullptr);
        QAccessibleInterface* name = table->cellAt(3, 0);
        name->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        grid->setEnabled(false);
        QVERIFY(name->state().disabled);
        name->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        QCOMPARE(clicked.size(), 0);
    }

    void theTableFollowsItsRows()
    {
        auto grid = rosterGrid(3);
        QAccessibleInterface* table = tableOf(grid.get());
        QCOMPARE(buttonNames(table), QStringList({"Ученик0", "Ученик1", "Ученик2"}));
        QAccessibleInterface* last = table->tableInterface()->cellAt(2, 0);
        grid->setRowCount(2);
        QVERIFY(!last->isValid());
        grid->setRowCount(4);
        grid->setCell(0, 3, QStringLiteral("Новенький"));
        QCOMPARE(buttonNames(table), QStringList({"Ученик0", "Ученик1", "", "Новенький"}));
        grid->setFixedColumns(0); // no button column: plain cells only
        QCOMPARE(buttonNames(table), QStringList());
        QCOMPARE(table->tableInterface()->cellAt(3, 0)->role(), QAccessible::Cell);
    }

    // Qt delivers the announcements only while the platform's accessibility bridge is active,
    // which it never is on the offscreen platform: ctest runs this once more on a real X
    // display with the bridge switched on (tests/realwindow).
    void rowChangesAreAnnounced()
    {
        if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            QSKIP("the platform's accessibility bridge is not on here");
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000); // once the bus is connected
        auto grid = rosterGrid(33);
        std::vector<QAccessible::Event> events;
        g_events = &events;
        g_watched = grid.get();
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
        grid->setRowCount(40);
        grid->setCell(0, 39, QStringLiteral("Яковлева"));
        grid->setColumnCount(3);
        grid->setCell(0, 39, QStringLiteral("Яковлева")); // the same text: nothing to say
        QAccessible::installUpdateHandler(previous);
        g_events = nullptr;
        QCOMPARE(events, (std::vector<QAccessible::Event>{QAccessible::TableModelChanged,
                                                          QAccessible::NameChanged,
                                                          QAccessible::TableModelChanged}));
    }
};

QTEST_MAIN(TestButtonCellGridAccessible)
#include "tst_buttoncellgridaccessible.moc"
