#include "widgets/ButtonCellGridAccessible.h"

#include "widgets/ButtonCellGrid.h"

#include <QMetaObject>
#include <QScrollBar>
#include <QWidget>
#include <QWindow>

namespace {

// One cell of the grid. It keeps only its place, so it always tells the grid's current text
// and state; once the place is outside the grid it is no longer valid.
class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface
{
public:
    CellAccessible(ButtonCellGrid* grid, int row, int col) : m_grid(grid), m_row(row), m_col(col) {}

    bool isValid() const override
    {
        return m_grid && m_row < m_grid->rowCount() && m_col < m_grid->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }

    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        // The blanks that pad a name to its fixed width are not read out.
        return m_grid->cell(m_col, m_row).trimmed();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_grid->cellRect(m_col, m_row);
        if (local.isEmpty())
            return {};
        return QRect(m_grid->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override
    {
        return isButton() ? QAccessible::Button : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        st.invisible = !m_grid->isVisible();
        st.offscreen = st.invisible || m_grid->cellRect(m_col, m_row).isEmpty();
        st.disabled = !m_grid->isEnabled();
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface && isButton())
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface
    QStringList actionNames() const override
    {
        return isButton() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !isButton() || !m_grid->isEnabled())
            return;
        // Later, from the event loop, as a push button's press action does: the assistive tool
        // gets its answer before the screen reacts (which may open a message box).
        m_grid->scrollToRow(m_row);
        QMetaObject::invokeMethod(
            m_grid.data(),
            [grid = m_grid, row = m_row, col = m_col] {
                if (grid)
                    grid->pressButtonCell(col, row);
            },
            Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool isButton() const { return isValid() && m_grid->isFixedColumn(m_col); }

    QPointer<ButtonCellGrid> m_grid;
    int m_row;
    int m_col;
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("ButtonCellGrid"))
        return nullptr;
    if (auto* grid = qobject_cast<ButtonCellGrid*>(object))
        return new ButtonCellGridAccessible(grid);
    return nullptr;
}

} // namespace

ButtonCellGridAccessible::ButtonCellGridAccessible(ButtonCellGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

ButtonCellGridAccessible::~ButtonCellGridAccessible()
{
    forgetCells();
}

void ButtonCellGridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

ButtonCellGrid* ButtonCellGridAccessible::grid() const
{
    return static_cast<ButtonCellGrid*>(widget());
}

void* ButtonCellGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int ButtonCellGridAccessible::rowCount() const
{
    return grid()->rowCount();
}

int ButtonCellGridAccessible::columnCount() const
{
    return grid()->columnCount();
}

QAccessibleInterface* ButtonCellGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const QPair<int, int> place(row, column);
    if (const auto found = m_cells.constFind(place); found != m_cells.constEnd())
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*found))
            return cell;
    auto* cell = new CellAccessible(grid(), row, column);
    m_cells.insert(place, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ButtonCellGridAccessible::childCount() const
{
    return rowCount() * columnCount() + (grid()->isScrollBarShown() ? 1 : 0);
}

QAccessibleInterface* ButtonCellGridAccessible::child(int index) const
{
    const int cells = rowCount() * columnCount();
    if (index < 0 || index > cells)
        return nullptr;
    if (index == cells)
        return grid()->isScrollBarShown()
                   ? QAccessible::queryAccessibleInterface(grid()->verticalScrollBar())
                   : nullptr;
    return cellAt(index / columnCount(), index % columnCount());
}

int ButtonCellGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr)
        return -1;
    if (child->object() != nullptr)
        return child->object() == grid()->verticalScrollBar() && grid()->isScrollBarShown()
                   ? rowCount() * columnCount()
                   : -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || cell->table() != this || !child->isValid())
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* ButtonCellGridAccessible::childAt(int x, int y) const
{
    const QPoint local = grid()->mapFromGlobal(QPoint(x, y));
    const QPoint cell = grid()->cellAt(local);
    if (cell.x() >= 0)
        return cellAt(cell.y(), cell.x());
    QScrollBar* bar = grid()->verticalScrollBar();
    if (grid()->isScrollBarShown() && bar->geometry().contains(local))
        return QAccessible::queryAccessibleInterface(bar);
    return nullptr;
}

void ButtonCellGridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    // The cells keep only their places and stay right; those outside the grid now are dropped.
    forgetCells();
}

void ButtonCellGridAccessible::forgetCells()
{
    const auto cells = m_cells;
    m_cells.clear();
    for (const QAccessible::Id id : cells)
        if (QAccessible::accessibleInterface(id))
            QAccessible::deleteAccessibleInterface(id);
}
