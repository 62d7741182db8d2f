#include "screens/Unit5_Love.h"

#include "app/SurveyRun.h"
#include "screens/Unit6_Treb.h"

namespace {

const ScreenFrame Frame{QStringLiteral("Form5_Love"),
                        QStringLiteral("Наиболее любимые преподаватели"), QSize(1024, 741),
                        ScreenFrame::Border::Dialog, Qt::black};

const TeacherScreenTexts Texts{
    QStringLiteral("Отметьте  3-ех наиболее любимых преподавателей"),
    QStringLiteral("отмечено 0"),
    146,
};

} // namespace

TForm5_Love::TForm5_Love(SurveyRun& run) : TeacherChoiceScreen(run, Frame, Texts) {}

void TForm5_Love::AdvGlassButton1Click()
{
    run().state.FavouriteTeachersAnswer = choiceAnswer();
    run().showScreen(run().Form6_Treb);
}
