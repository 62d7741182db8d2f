#pragma once

// What the tests of the roster and classmate screens share: a class with its roster workbook in
// the working folder, clicks on grid rows as a pupil makes them, and the names in the grids'
// form, worked out here from the names rather than by the program's code.

#include "roster/RosterFixtures.h"
#include "screens/Unit10_FamFile.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit_Psychology1.h"
#include "storage/ExcelAutomation.h"
#include "support/Controls.h"
#include "support/TestRun.h"
#include "widgets/ButtonCellGrid.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace roster {

inline const QString WorkbookName = QStringLiteral("8А.xls");

// A name as the grids hold it: blanks up to 12 characters, longer names cut to 12.
inline QString inGrid(const QString& name)
{
    QString text = name.left(12);
    while (text.size() < 12)
        text += QLatin1Char(' ');
    return text;
}

inline QStringList inGrid(const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts.append(name.isEmpty() ? QString() : inGrid(name));
    return texts;
}

// The class screen's forward action, as far as these screens need it: class 8, stream А.
inline void chooseClass8A(SurveyRun& run)
{
    run.state.ClassNumber = QStringLiteral("8");
    run.state.ClassStream = QStringLiteral("А");
    run.state.RosterWorkbookName = run.state.ClassNumber + run.state.ClassStream + ".xls";
}

// Puts the fixture workbook into the run's working folder as the class's roster.
inline bool putRoster(TestRun& test, const QString& fixture)
{
    QFile::remove(test.path(WorkbookName));
    return QFile::copy(RosterFixtures::path(fixture), test.path(WorkbookName));
}

inline QStringList namesOf(const ButtonCellGrid* grid)
{
    QStringList names;
    for (int row = 0; row < grid->rowCount(); ++row)
        names.append(grid->cell(0, row));
    return names;
}

inline QStringList marksOf(const ButtonCellGrid* grid)
{
    QStringList marks;
    for (int row = 0; row < grid->rowCount(); ++row)
        marks.append(grid->cell(1, row).trimmed());
    return marks;
}

// Turns the mouse wheel over the grid until the row is in view (or the grid cannot scroll).
inline void scrollTo(ButtonCellGrid* grid, int row)
{
    for (int turns = 0; turns < 200 && grid->cellRect(0, row).height() < 19; ++turns) {
        const int before = grid->topRow();
        const QPointF pos(grid->width() / 2.0, grid->height() / 2.0);
        const int angle = row < grid->topRow() ? 120 : -120;
        QWheelEvent wheel(pos, grid->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid, &wheel);
        if (grid->topRow() == before)
            break;
    }
}

// Clicks the name button of a row that is in view, as the pupil does.
inline bool clickRow(ButtonCellGrid* grid, int row)
{
    const QRect cell = grid->cellRect(0, row);
    if (!controls::seen(grid) || cell.height() < 19)
        return false;
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell.center());
    return true;
}

// The finish screen's surname box. Where the finish screen is not yet built, a box of that name
// stands in for it, so that what the roster screen writes into it can be read back.
inline QLineEdit* finishSurnameBox(SurveyRun& run)
{
    auto* box = run.Form7_Fam->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    if (!box) {
        box = new QLineEdit(run.Form7_Fam);
        box->setObjectName(QStringLiteral("Edit1"));
    }
    return box;
}

inline int errorBoxCount(const TestRun& test)
{
    int count = 0;
    for (const MessageBoxRequest& box : test.boxes())
        count += box.kind == MessageBoxRequest::Kind::Error ? 1 : 0;
    return count;
}

// Counts the automation objects created, i.e. how many times a reader ran.
class ReaderRuns
{
public:
    ReaderRuns()
    {
        ExcelApplication.setCallObserver([this](ExcelCall call) {
            if (call == ExcelCall::Create)
                ++m_runs;
        });
    }
    ~ReaderRuns()
    {
        ExcelApplication.setCallObserver({});
        ExcelApplication.clear();
    }
    ReaderRuns(const ReaderRuns&) = delete;
    ReaderRuns& operator=(const ReaderRuns&) = delete;

    int count() const { return m_runs; }

private:
    int m_runs = 0;
};

} // namespace roster

#define CLICK_ROW(grid, row)                                                                       \
    do {                                                                                           \
        if (!QTest::qVerify(::roster::clickRow((grid), (row)), "clickRow", "row not in view",      \
                            __FILE__, __LINE__))                                                   \
            return;                                                                                \
    } while (false)
