#include "screens/Unit6_Treb.h"

TForm6_Treb::TForm6_Treb(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form6_Treb"),
                           QStringLiteral("Наиболее требовательные преподаватели"),
                           QSize(1024, 741), ScreenFrame::Border::Dialog, Qt::black})
{
}
