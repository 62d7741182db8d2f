#include "screens/Unit9_Dop.h"

TForm_Dop::TForm_Dop(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form_Dop"), QStringLiteral("Form_Dop"), QSize(1022, 738),
                           ScreenFrame::Border::Dialog, Qt::black})
{
}
