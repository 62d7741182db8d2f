#include "screens/Unit2_House.h"

TForm2_House::TForm2_House(SurveyRun& run)
    : QuestionScreen(run, {QStringLiteral("Form2_House"), QStringLiteral("Домашняя загруженность"),
                           QSize(1024, 738), ScreenFrame::Border::Dialog, Qt::black})
{
}
