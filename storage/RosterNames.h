#pragma once

#include "storage/ExcelValue.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

// What the survey program takes from a class roster workbook, read through the spreadsheet
// automation (storage/ExcelAutomation.h) in its order of calls. The roster screen fills its grids
// from it, and `survey-data roster` shows the same reading to the operator before the lesson, so
// the two cannot disagree. A workbook that cannot be read raises RosterWorkbookError (its text is
// the message the pupil sees); the automation holder is left empty whether the reading succeeds
// or fails.
namespace RosterNames {

// Every name in the grids is exactly this many characters.
constexpr int NameWidth = 12;
// The roster grid shows this many rows at once; a longer list must be scrolled.
constexpr int VisibleRows = 33;

// A cell's text in the grids' form: padded with blanks to 12 characters and cut to 12. The
// empty text stays empty.
QString gridName(const QString& text);

// Whether a grid text names nobody: an empty row, or a cell of blanks only.
bool isBlankName(QStringView gridText);

// A grid text as the statistics record holds it when the pupil picks it (as surname or as a
// classmate): cleaned the way the record cleans every name, so that a character Windows-1251
// has no byte for becomes "?" and a control character a blank.
QString recordName(const QString& gridText);

// One row of the used range's first column.
struct Row
{
    ExcelValue value;            // the cell's value as the automation hands it over
    QString text;                // the value as text, before the cut
    std::optional<QString> name; // the text in the grids' form; none for a cell equal to the
                                 // empty text, whose grid row keeps what it held
};

// The roster reader's reading of the active sheet.
struct Reading
{
    QString sheetName;
    int sheetIndex = 1;  // the active sheet's place among the workbook's sheets, from 1
    int firstRow = 1;    // the used range's top left cell on the sheet, from 1 (A1 = 1, 1)
    int firstColumn = 1; // the names come from this column
    int rowCount = 0;    // UsedRange.Rows.Count: the rows every grid gets
    int columnCount = 0;
    std::vector<Row> rows; // rowCount rows, row k of the used range as rows[k - 1]
    // Sheet rows (from 1) whose cell in the names' column holds a formula. The automation hands
    // over no value for a formula, so those cells read as empty.
    QList<int> formulaRows;
};

// The roster reader: the names of the first column of the active sheet's used range, row by
// row, each as text (numbers, dates and the like as the locale writes them) in the grids' form.
// Calls Create, Workbooks.Open, ActiveWorkbook.ActiveSheet, UsedRange.Rows.Count,
// UsedRange.Value, Workbooks.Close, Quit and Empty, in this order.
Reading readRoster(const QString& fullName, const QLocale& locale);

// The grid reader of the classmate screen: only the number of rows of the active sheet's used
// range. Calls Create, Workbooks.Open, ActiveWorkbook.ActiveSheet, UsedRange.Rows.Count,
// Workbooks.Close, Quit and Empty, in this order.
int readRowCount(const QString& fullName);

// The roster workbook names the program can look for: the class number (5 to 11) and the stream
// letter ("А" to "Е", or none) followed by ".xls", as the class and gender screen forms them.
QStringList workbookNames();

} // namespace RosterNames
