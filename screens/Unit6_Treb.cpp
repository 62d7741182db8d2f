#include "screens/Unit6_Treb.h"

#include "app/SurveyRun.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit_Psychology1.h"

namespace {

const ScreenFrame Frame{QStringLiteral("Form6_Treb"),
                        QStringLiteral("Наиболее требовательные преподаватели"), QSize(1024, 741),
                        ScreenFrame::Border::Dialog, Qt::black};

const TeacherScreenTexts Texts{
    QStringLiteral("Отметьте  3-ех наиболее требовательных на Ваш взгляд преподавателей "),
    QStringLiteral("Выделено 0"),
    147,
};

} // namespace

TForm6_Treb::TForm6_Treb(SurveyRun& run) : TeacherChoiceScreen(run, Frame, Texts) {}

void TForm6_Treb::AdvGlassButton1Click()
{
    SurveyState& state = run().state;
    state.DemandingTeachersSeconds =
        DateTime::roundedSeconds(run().clock().steadyMs() - state.TestStartSteadyMs);
    state.DemandingTeachersAnswer = choiceAnswer();
    state.RosterWorkbookName = state.formRosterWorkbookName();
    if (run().existsInWorkingFolder(state.RosterWorkbookName))
        run().showScreen(run().Form_Psychology1);
    else
        run().showScreen(run().Form7_Fam);
}
