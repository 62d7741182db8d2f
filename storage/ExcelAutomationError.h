#pragma once

#include "state/SurveyError.h"

// A call of the spreadsheet automation layer made when it cannot be answered: no object in the
// holder, no open workbook, an element outside an array. These are faults of the calling code,
// not of the workbook; workbook faults are RosterWorkbookError.
class ExcelAutomationError : public SurveyError
{
public:
    explicit ExcelAutomationError(const QString& detail)
        : SurveyError(QStringLiteral("Ошибка чтения списка класса: ") + detail)
    {
    }
};
