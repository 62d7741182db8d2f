#pragma once

#include "state/SurveyError.h"

#include <QString>

// Why a class roster workbook could not be read.
enum class RosterWorkbookFault {
    Missing,           // no regular file by that name (any more)
    Unreadable,        // the file exists but cannot be opened or read
    Empty,             // a file of no bytes
    TooLarge,          // far larger than any class list, or declaring millions of cells
    NotWorkbook,       // some other kind of file (text, picture, document) named .xls
    NewerFormat,       // an .xlsx workbook (a zip package) named .xls
    OlderFormat,       // Excel 2.1 to 4.0
    Damaged,           // a workbook whose container or records do not hold together
    PasswordProtected, // encrypted with a password to open
    NoSheets,          // a workbook without any worksheet
};

// The failure of reading a roster workbook: the text names the workbook file and the reason in
// words a pupil at the lab can pass on, e.g. "Не удалось прочитать список класса «8А.xls»:
// файл повреждён."
class RosterWorkbookError : public SurveyError
{
public:
    RosterWorkbookError(RosterWorkbookFault fault, const QString& workbookName);

    RosterWorkbookFault fault() const noexcept { return m_fault; }
    const QString& workbookName() const noexcept { return m_workbookName; }

    // The reason part of the text, e.g. "файл повреждён".
    static QString reasonText(RosterWorkbookFault fault);

private:
    RosterWorkbookFault m_fault;
    QString m_workbookName;
};
