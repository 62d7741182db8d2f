#pragma once

#include "storage/RosterNames.h"

#include <QPoint>
#include <QString>
#include <array>

class ButtonCellGrid;
class QLocale;
class QWidget;

// The two readers of the class roster workbook, as the screens' grids take them. What is read
// from the workbook, and how a cell becomes a name, is the core's (storage/RosterNames.h), which
// `survey-data roster` shows to the operator too. A workbook that cannot be read raises
// RosterWorkbookError (a SurveyError with a text for the pupil to pass on); every grid then keeps
// what it held, since nothing is written into a grid before the workbook has been read whole.
namespace RosterReaders {

using RosterNames::isBlankName;
using RosterNames::NameWidth;

// The four choice grids of the classmate screen, question 1 to 4.
using ChoiceGrids = std::array<ButtonCellGrid*, 4>;

// A grid of the class roster as both screens lay it out, empty as designed: 154 by 665 pixels
// with its top left corner at topLeft, 33 rows of 20 pixels, the names in a button column of 150
// pixels, bold Tahoma 13, every text centred, blue grid lines. The second column, of
// secondColumnWidth pixels, carries the choice marks on the classmate screen.
ButtonCellGrid* createRosterGrid(QWidget* parent, const QString& objectName, QPoint topLeft,
                                 int secondColumnWidth);

// The roster reader of the roster screen: the names of the first column of the active sheet's
// used range, row k of the range into grid row k - 1, as text in the grids' form (numbers, dates
// and the like as the locale writes them). The roster grid gets one row per row of the range and
// its first column becomes the button column; the names also go into column 0 of each choice
// grid, in the rows those grids have. An empty cell leaves its row in every grid as it was.
void readRoster(const QString& fullName, const QLocale& locale, ButtonCellGrid& rosterGrid,
                const ChoiceGrids& choiceGrids);

// The grid reader of the classmate screen: each choice grid gets as many rows as the active
// sheet's used range has, with the names of the roster grid's column 0 in the same rows (rows
// the roster grid does not have stay empty), and its first column as the button column. The
// second column (the choice marks) is emptied.
void readChoiceGrids(const QString& fullName, const ButtonCellGrid& rosterGrid,
                     const ChoiceGrids& choiceGrids);

} // namespace RosterReaders
