#include "screens/Unit5_Love.h"

TForm5_Love::TForm5_Love(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form5_Love"),
                           QStringLiteral("Наиболее любимые преподаватели"), QSize(1024, 741),
                           ScreenFrame::Border::Dialog, Qt::black})
{
}
