#include "state/SurveyState.h"

int SurveyState::classAsInteger() const
{
    return ClassNumber.toInt();
}

QString SurveyState::formRosterWorkbookName() const
{
    return ClassNumber + ClassStream + QStringLiteral(".xls");
}

QString place(const QString& value)
{
    return value.leftJustified(SurveyState::PlaceWidth, QLatin1Char(' '));
}
