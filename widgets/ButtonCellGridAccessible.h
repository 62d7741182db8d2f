#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPair>
#include <QPointer>

class ButtonCellGrid;

// What assistive tools (screen readers, AT-SPI clients) see of a ButtonCellGrid: a table whose
// cells are addressed row first, as the table interface wants it. A cell's name is its text
// without the blanks that pad it; a cell of a button column is a push button whose press action
// presses it as a click would (after scrolling its row into view), any other cell is a plain
// table cell. The scroll bar, while shown, is the child after the last cell.
class ButtonCellGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit ButtonCellGridAccessible(ButtonCellGrid* grid);
    ~ButtonCellGridAccessible() override;

    // Installs the factory with Qt once; the grid's constructor calls it, so that it is in
    // place before any grid can be asked for its interface.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    ButtonCellGrid* grid() const;
    void forgetCells();

    // The cells handed out so far, by (row, column); Qt owns them through their ids.
    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells;
};
