#include "screens/Unit8_Coord.h"

TForm8_Coord::TForm8_Coord(SurveyRun& run)
    : Screen(run, {QStringLiteral("Form8_Coord"), QStringLiteral("Координаты"), QSize(1024, 738),
                   ScreenFrame::Border::Dialog, Qt::black})
{
}
