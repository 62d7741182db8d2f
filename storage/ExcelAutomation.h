#pragma once

#include "storage/ExcelAutomationError.h"
#include "storage/ExcelValue.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// The spreadsheet automation the roster reader talks to, standing in for Excel's: the same calls
// in the same order with the same effects, answered by our reader of legacy .xls files
// (ExcelWorkbookFile). Objects are handles, like automation variants: copies refer to the same
// object, and a handle kept after its workbook was closed raises ExcelAutomationError instead of
// reading freed data. The one reader is storage/RosterNames.cpp (the roster screen, the classmate
// screen and `survey-data roster` all go through it); it goes, in this order:
//
//     const ExcelSession excel;                                          // create, hold
//     ExcelApplication->Workbooks().Open(fullName);                      // Workbooks.Open
//     const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
//     const int rowCount = sheet.UsedRange().Rows().Count();             // UsedRange.Rows.Count
//     const ExcelValueArray values = sheet.UsedRange().Value();          // UsedRange.Value
//     ... take the names ...
//     ExcelApplication->Workbooks().Close();                             // Workbooks.Close
//     ExcelApplication->Quit();                                          // Quit
//     ExcelApplication.clear();                                          // empty the holder
//
// The sheet's name and place, the used range's position and the formula cells are read for
// `survey-data roster` only; they are properties, not calls, and the observer does not see them.
// Workbook faults raise RosterWorkbookError from Open (or, for cells that cannot be read, from
// UsedRange); the session then closes, quits and empties the holder on the way out.

// The calls, as the call observer reports them.
enum class ExcelCall {
    Create,         // the automation object is created and held
    WorkbooksOpen,  // Workbooks.Open(fullName)
    ActiveSheet,    // ActiveWorkbook.ActiveSheet
    RowsCount,      // UsedRange.Rows.Count
    Value,          // UsedRange.Value
    WorkbooksClose, // Workbooks.Close
    Quit,           // Quit
    Empty,          // the holder is emptied, releasing the object
};

// "Create", "Workbooks.Open", "ActiveWorkbook.ActiveSheet", "UsedRange.Rows.Count",
// "UsedRange.Value", "Workbooks.Close", "Quit", "Empty".
QString excelCallName(ExcelCall call);

namespace ExcelDetail {
struct Application;
struct Workbook;
struct Sheet;
} // namespace ExcelDetail

// A cell of a sheet, counted from 1 as the automation counts (A1 is row 1, column 1).
struct ExcelCellAddress
{
    int row = 1;
    int column = 1;
    friend bool operator==(const ExcelCellAddress&, const ExcelCellAddress&) = default;
};

class ExcelRows
{
public:
    int Count() const;

private:
    friend class ExcelRange;
    explicit ExcelRows(std::shared_ptr<ExcelDetail::Sheet> sheet) : m_sheet(std::move(sheet)) {}
    std::shared_ptr<ExcelDetail::Sheet> m_sheet;
};

// A sheet's used range: its first row and column that hold a value to its last ones.
class ExcelRange
{
public:
    ExcelRows Rows() const;
    // The values, indexed from 1 (row, column) within the range: element (1, 1) is the range's
    // top left cell, wherever on the sheet the range starts.
    ExcelValueArray Value() const;
    int Row() const;    // the sheet row of the range's first row, from 1
    int Column() const; // the sheet column of the range's first column, from 1 (A = 1)

private:
    friend class ExcelSheet;
    explicit ExcelRange(std::shared_ptr<ExcelDetail::Sheet> sheet) : m_sheet(std::move(sheet)) {}
    std::shared_ptr<ExcelDetail::Sheet> m_sheet;
};

class ExcelSheet
{
public:
    // Reads the sheet's cells on first use; raises RosterWorkbookError if they cannot be read.
    ExcelRange UsedRange() const;
    QString Name() const;
    int Index() const; // the sheet's place among the workbook's sheets, from 1
    // The cells that hold a formula, row by row, as Cells.SpecialCells(xlCellTypeFormulas) lists
    // them. Their values are not read: UsedRange and Value see them as empty.
    QList<ExcelCellAddress> FormulaCells() const;

private:
    friend class ExcelWorkbook;
    explicit ExcelSheet(std::shared_ptr<ExcelDetail::Sheet> sheet) : m_sheet(std::move(sheet)) {}
    std::shared_ptr<ExcelDetail::Sheet> m_sheet;
};

class ExcelWorkbook
{
public:
    // The sheet that was active when the workbook was saved (the first worksheet when it does
    // not say or names a chart).
    ExcelSheet ActiveSheet() const;

private:
    friend class ExcelApplicationObject;
    ExcelWorkbook(std::shared_ptr<ExcelDetail::Application> application,
                  std::shared_ptr<ExcelDetail::Workbook> workbook);
    std::shared_ptr<ExcelDetail::Application> m_application;
    std::shared_ptr<ExcelDetail::Workbook> m_workbook;
};

class ExcelWorkbooks
{
public:
    // Opens the workbook fullName (a full path) and makes it the active workbook; raises
    // RosterWorkbookError when it cannot be read.
    void Open(const QString& fullName) const;
    // Closes every open workbook; without any open it does nothing.
    void Close() const;

private:
    friend class ExcelApplicationObject;
    explicit ExcelWorkbooks(std::shared_ptr<ExcelDetail::Application> application)
        : m_application(std::move(application))
    {
    }
    std::shared_ptr<ExcelDetail::Application> m_application;
};

// The automation object. After Quit every call raises ExcelAutomationError.
class ExcelApplicationObject
{
public:
    ExcelWorkbooks Workbooks() const;
    // The workbook opened last; raises ExcelAutomationError when none is open.
    ExcelWorkbook ActiveWorkbook() const;
    // Closes whatever is still open and ends the object.
    void Quit() const;

private:
    friend class ExcelApplicationHolder;
    explicit ExcelApplicationObject(std::shared_ptr<ExcelDetail::Application> application)
        : m_application(std::move(application))
    {
    }
    std::shared_ptr<ExcelDetail::Application> m_application;
};

// The process-wide holder of the automation object: it holds an object only while a reader runs.
class ExcelApplicationHolder
{
public:
    ExcelApplicationHolder();
    ~ExcelApplicationHolder();
    ExcelApplicationHolder(const ExcelApplicationHolder&) = delete;
    ExcelApplicationHolder& operator=(const ExcelApplicationHolder&) = delete;

    // Creates a new automation object and holds it. An object still held from before is ended
    // first (its workbooks closed), so that nothing of an earlier reading stays open.
    void create();
    // Empties the holder, releasing the object and whatever it still holds open.
    void clear();
    bool isEmpty() const;
    // The held object; raises ExcelAutomationError when the holder is empty.
    const ExcelApplicationObject* operator->() const;

    // Tells observer of every call, in the order made; for the tests of the reader's order.
    void setCallObserver(std::function<void(ExcelCall)> observer);

private:
    friend class ExcelSession;
    std::shared_ptr<ExcelDetail::Application> m_application;
    std::unique_ptr<ExcelApplicationObject> m_object;
    std::shared_ptr<std::function<void(ExcelCall)>> m_observer;
};

// The one holder the roster reader uses.
extern ExcelApplicationHolder ExcelApplication;

// One reader's use of the automation: constructing it creates the object and holds it in the
// holder. However the reader leaves, by its own end or by an error, the destructor finishes what
// the reader did not: closes the open workbooks, quits and empties the holder. A reader that made
// those calls itself leaves nothing to do.
class [[nodiscard]] ExcelSession
{
public:
    explicit ExcelSession(ExcelApplicationHolder& holder = ExcelApplication);
    ~ExcelSession();
    ExcelSession(const ExcelSession&) = delete;
    ExcelSession& operator=(const ExcelSession&) = delete;

private:
    ExcelApplicationHolder& m_holder;
    std::weak_ptr<ExcelDetail::Application> m_application;
};
