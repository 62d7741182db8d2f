#include "screens/Unit_MarkPM.h"

#include <QApplication>

TFormMarkPM::TFormMarkPM(SurveyRun& run)
    : Screen(run, {QStringLiteral("FormMarkPM"), QStringLiteral("FormMarkPM"), QSize(1227, 656),
                   ScreenFrame::Border::Sizeable, QApplication::palette().color(QPalette::Button)})
{
}
