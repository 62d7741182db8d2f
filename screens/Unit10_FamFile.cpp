#include "screens/Unit10_FamFile.h"

TForm_FamFile::TForm_FamFile(SurveyRun& run)
    : Screen(run, {QStringLiteral("Form_FamFile"), QStringLiteral("Form_FamFile"), QSize(1023, 738),
                   ScreenFrame::Border::Dialog, Qt::black})
{
}
