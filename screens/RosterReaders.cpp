#include "screens/RosterReaders.h"

#include "app/Look.h"
#include "widgets/ButtonCellGrid.h"

#include <QLocale>
#include <optional>

namespace {

// Both grids end with two columns: the names and one beside them. Only the first is read.
constexpr int GridColumns = 2;
constexpr int NameColumn = 0;
constexpr int DesignedRows = 33;
constexpr QSize DesignedSize(154, 665);

void makeNameColumnButtons(ButtonCellGrid& grid)
{
    grid.setColumnCount(GridColumns);
    grid.setFixedColumns(1);
}

} // namespace

ButtonCellGrid* RosterReaders::createRosterGrid(QWidget* parent, const QString& objectName,
                                                QPoint topLeft, int secondColumnWidth)
{
    auto* grid = new ButtonCellGrid(parent);
    grid->setObjectName(objectName);
    grid->setFont(screenFont(QStringLiteral("Tahoma"), 13));
    // Light name buttons over a dark ground; the marks beside them in yellow.
    QPalette look = grid->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        look.setColor(group, QPalette::Button, QColor(234, 237, 241));
        look.setColor(group, QPalette::ButtonText, QColor(16, 22, 28));
        look.setColor(group, QPalette::Base, QColor(16, 24, 31));
        look.setColor(group, QPalette::Text, QColor(255, 214, 64));
    }
    grid->setPalette(look);
    grid->setColumnCount(GridColumns);
    grid->setRowCount(DesignedRows);
    grid->setColumnWidth(NameColumn, 150);
    grid->setColumnWidth(NameColumn + 1, secondColumnWidth);
    grid->setDefaultRowHeight(20);
    grid->setFixedColumns(1);
    grid->setGeometry(QRect(topLeft, DesignedSize));
    return grid;
}

void RosterReaders::readRoster(const QString& fullName, const QLocale& locale,
                               ButtonCellGrid& rosterGrid, const ChoiceGrids& choiceGrids)
{
    const RosterNames::Reading roster = RosterNames::readRoster(fullName, locale);
    rosterGrid.setRowCount(roster.rowCount);
    rosterGrid.setColumnCount(1);
    for (int r = 0; r < roster.rowCount; ++r) {
        const std::optional<QString>& name = roster.rows[static_cast<std::size_t>(r)].name;
        if (!name)
            continue;
        rosterGrid.setCell(NameColumn, r, *name);
        for (ButtonCellGrid* grid : choiceGrids)
            if (grid)
                grid->setCell(NameColumn, r, *name);
    }
    makeNameColumnButtons(rosterGrid);
}

void RosterReaders::readChoiceGrids(const QString& fullName, const ButtonCellGrid& rosterGrid,
                                    const ChoiceGrids& choiceGrids)
{
    const int rowCount = RosterNames::readRowCount(fullName);

    for (ButtonCellGrid* grid : choiceGrids) {
        if (!grid)
            continue;
        grid->setRowCount(rowCount);
        grid->setColumnCount(1);
    }
    for (int r = 0; r < rowCount; ++r)
        for (ButtonCellGrid* grid : choiceGrids)
            if (grid)
                grid->setCell(NameColumn, r, rosterGrid.cell(NameColumn, r));
    for (ButtonCellGrid* grid : choiceGrids)
        if (grid)
            makeNameColumnButtons(*grid);
}
