#pragma once

#include "storage/ExcelValue.h"

#include <QString>
#include <QStringList>
#include <memory>

// The used range of a sheet: the rectangle from the first to the last row and column that hold
// a value (the rectangle the sheet declares, trimmed to its values), with those values. A sheet
// without values gives A1 alone, empty, as Excel does.
struct ExcelUsedRange
{
    int firstRow = 0;    // 0 is row 1
    int firstColumn = 0; // 0 is column A
    ExcelValueArray values;
};

// A legacy .xls workbook (BIFF8 of Excel 97-2003, BIFF5 of Excel 5.0/95) opened for reading its
// cells. The file is untrusted: opening reads it once, checks its container and records, and
// lets FreeXL read the cells from a private copy of exactly the bytes that were checked.
class ExcelWorkbookFile
{
public:
    // Raises RosterWorkbookError, naming the file, when it cannot be read.
    explicit ExcelWorkbookFile(const QString& fullName);
    ~ExcelWorkbookFile();
    ExcelWorkbookFile(const ExcelWorkbookFile&) = delete;
    ExcelWorkbookFile& operator=(const ExcelWorkbookFile&) = delete;

    const QString& fileName() const;       // without folder, as error texts name it
    const QStringList& sheetNames() const; // every sheet tab, in tab order
    // The sheet that was active when the workbook was saved; the first worksheet when the
    // workbook does not say, names a tab that does not exist, or names a chart or module.
    int activeSheet() const;
    // Raises RosterWorkbookError when the cells cannot be read; a sheet without cells (a chart)
    // gives the empty range.
    ExcelUsedRange usedRange(int sheet) const;

    // A cell of a sheet, counted from 0 (A1 is row 0, column 0).
    struct Cell
    {
        int row = 0;
        int column = 0;
    };
    // The cells of the sheet that hold a formula, in the order the sheet keeps them. FreeXL does
    // not read formulas, so usedRange sees them as empty.
    QList<Cell> formulaCells(int sheet) const;

    // Larger files are refused before they are read.
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
    // Refused too: FreeXL reserves memory for every cell a sheet declares, counted from A1.
    static constexpr quint64 MaxDeclaredCells = 2'000'000;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
