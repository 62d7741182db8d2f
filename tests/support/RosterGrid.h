#pragma once

#include "widgets/ButtonCellGrid.h"

#include <QString>
#include <memory>

// The roster grid as the screens lay it out: 154 by 665 pixels, a name column of 150 pixels that
// is a button column and a mark column of 13, rows of 20 pixels; nameOf(row) fills the names.
template <typename NameOf> std::unique_ptr<ButtonCellGrid> rosterGrid(int rows, NameOf nameOf)
{
    auto grid = std::make_unique<ButtonCellGrid>();
    grid->setColumnCount(2);
    grid->setRowCount(rows);
    grid->setFixedColumns(1);
    grid->setColumnWidth(0, 150);
    grid->setColumnWidth(1, 13);
    grid->setDefaultRowHeight(20);
    grid->resize(154, 665);
    for (int row = 0; row < rows; ++row)
        grid->setCell(0, row, nameOf(row));
    return grid;
}
