#include "screens/Unit4_Intrest.h"

TForm4_Intrest::TForm4_Intrest(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form4_Intrest"), QStringLiteral("Отношение к предмету"),
                           QSize(1022, 738), ScreenFrame::Border::Dialog, Qt::black})
{
}
