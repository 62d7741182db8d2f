#include "storage/RosterWorkbook.h"

RosterWorkbookError::RosterWorkbookError(RosterWorkbookFault fault, const QString& workbookName)
    : SurveyError(QStringLiteral("Не удалось прочитать список класса «%1»: %2.")
                      .arg(workbookName, reasonText(fault))),
      m_fault(fault), m_workbookName(workbookName)
{
}

QString RosterWorkbookError::reasonText(RosterWorkbookFault fault)
{
    switch (fault) {
    case RosterWorkbookFault::Missing:
        return QStringLiteral("файл не найден");
    case RosterWorkbookFault::Unreadable:
        return QStringLiteral("файл не открывается (нет доступа или он занят другой программой)");
    case RosterWorkbookFault::Empty:
        return QStringLiteral("файл пуст");
    case RosterWorkbookFault::TooLarge:
        return QStringLiteral("файл слишком велик для списка класса");
    case RosterWorkbookFault::NotWorkbook:
        return QStringLiteral("это не книга Excel");
    case RosterWorkbookFault::NewerFormat:
        return QStringLiteral("книга сохранена в формате .xlsx, а нужен формат «Книга Excel "
                              "97–2003» (.xls)");
    case RosterWorkbookFault::OlderFormat:
        return QStringLiteral("книга сохранена в слишком старом формате Excel, а нужен формат "
                              "«Книга Excel 97–2003» (.xls)");
    case RosterWorkbookFault::Damaged:
        return QStringLiteral("файл повреждён");
    case RosterWorkbookFault::PasswordProtected:
        return QStringLiteral("книга защищена паролем");
    case RosterWorkbookFault::NoSheets:
        return QStringLiteral("в книге нет ни одного листа");
    }
    return QStringLiteral("файл повреждён");
}
