#include "screens/Unit3_Eff.h"

#include "app/SurveyRun.h"
#include "screens/Unit4_Intrest.h"
#include "state/SubjectCatalogue.h"

using namespace SubjectCatalogue;

namespace {

const ScreenFrame Frame{QStringLiteral("Form3_Eff"), QStringLiteral("Время"), QSize(1024, 738)};

ScaleTable distractionTable()
{
    ScaleTable t;
    t.rows = {
        {Algebra,
         nullptr,
         "Label2",
         {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6"},
         "Label12"},
        {History,
         nullptr,
         "Label5",
         {"Button19", "Button20", "Button21", "Button22", "Button23", "Button24"},
         "Label15"},
        {Biology,
         nullptr,
         "Label6",
         {"Button25", "Button26", "Button27", "Button28", "Button29", "Button30"},
         "Label16"},
        {ForeignLanguage,
         nullptr,
         "Label7",
         {"Button31", "Button32", "Button33", "Button34", "Button35", "Button36"},
         "Label17"},
        {Literature,
         nullptr,
         "Label8",
         {"Button37", "Button38", "Button39", "Button40", "Button41", "Button42"},
         "Label18"},
        {Russian,
         nullptr,
         "Label9",
         {"Button43", "Button44", "Button45", "Button46", "Button47", "Button48"},
         "Label19"},
        {Geography,
         nullptr,
         "Label10",
         {"Button49", "Button50", "Button51", "Button52", "Button53", "Button54"},
         "Label20"},
        {Informatics,
         nullptr,
         "Label11",
         {"Button55", "Button56", "Button57", "Button58", "Button59", "Button60"},
         "Label21"},
        {Physics,
         nullptr,
         "Label3",
         {"Button7", "Button8", "Button9", "Button10", "Button11", "Button12"},
         "Label13"},
        {Chemistry,
         nullptr,
         "Label4",
         {"Button13", "Button14", "Button15", "Button16", "Button17", "Button18"},
         "Label14"},
    };
    useAnswerScale(t, AnswerCodes::Question::Distraction, {87, 80, 80, 80, 80, 80});
    t.answer = &SurveyState::DistractionAnswer;
    t.next = [](SurveyRun& run) -> Screen* { return run.Form4_Intrest; };

    t.columnsTop = 102;
    t.columnsHeight = 575;
    t.rowPitch = 55;
    t.captions = {"Panel3", 348, 24};
    t.buttons = {"Panel4", 545, 11};
    t.values = {"Panel2", 93, 12};
    t.buttonHeight = 35;
    return t;
}

} // namespace

TForm3_Eff::TForm3_Eff(SurveyRun& run) : ScaleScreen(run, Frame, distractionTable())
{
    addQuestionBanner(102, QStringLiteral("Сколько минут в среднем вы отвлекаетесь на уроке?"),
                      true);
}
