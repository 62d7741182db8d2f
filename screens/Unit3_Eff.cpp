#include "screens/Unit3_Eff.h"

TForm3_Eff::TForm3_Eff(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form3_Eff"), QStringLiteral("Время"), QSize(1024, 738),
                           ScreenFrame::Border::Dialog, Qt::black})
{
}
