#include "screens/Unit_Psychology1.h"

#include "widgets/SegmentedVerticalBar.h"

namespace {

const ScreenFrame Frame{QStringLiteral("Form_Psychology1"), QStringLiteral("Form_Psychology1"),
                        QSize(1135, 810), ScreenFrame::Border::Dialog, QColor(26, 33, 40)};

FrameVariant frameVariant()
{
    FrameVariant variant;
    variant.testTimeLabel = false;
    variant.barHeight = 770;
    return variant;
}

constexpr int FirstQuestionBarLeft = 294;

} // namespace

TForm_Psychology1::TForm_Psychology1(SurveyRun& run) : QuestionScreen(run, Frame, frameVariant()) {}

void TForm_Psychology1::FormShow()
{
    QuestionScreen::FormShow();
    AdvProgressBar1->move(FirstQuestionBarLeft, AdvProgressBar1->y());
}
