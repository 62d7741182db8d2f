#include "screens/Unit1_Ball.h"

namespace {

const ScreenFrame Frame{QStringLiteral("Form1_Ball"),
                        QStringLiteral("Оценка за четверть (полугодие, триместр)"),
                        QSize(1024, 738)};

FrameVariant frameVariant()
{
    FrameVariant variant;
    variant.timeSeparator = QLatin1Char('.');
    variant.barShown = false;
    variant.startsTestClock = true;
    return variant;
}

} // namespace

TForm1_Ball::TForm1_Ball(SurveyRun& run) : QuestionScreen(run, Frame, frameVariant()) {}
