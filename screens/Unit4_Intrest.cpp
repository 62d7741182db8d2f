#include "screens/Unit4_Intrest.h"

#include "app/SurveyRun.h"
#include "screens/Unit9_Dop.h"
#include "state/SubjectCatalogue.h"

using namespace SubjectCatalogue;

namespace {

const ScreenFrame Frame{QStringLiteral("Form4_Intrest"), QStringLiteral("Отношение к предмету"),
                        QSize(1022, 738)};

// The buttons "0" of the rows are Button00 … Button09 in the order of the record places, the
// buttons "1" to "9" run on from row to row.
ScaleTable interestTable()
{
    ScaleTable t;
    t.rows = {
        {Algebra,
         nullptr,
         "Label2",
         {"Button00", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
          "Button8", "Button9"},
         "Label12"},
        {History,
         nullptr,
         "Label5",
         {"Button03", "Button28", "Button29", "Button30", "Button31", "Button32", "Button33",
          "Button34", "Button35", "Button36"},
         "Label15"},
        {Biology,
         nullptr,
         "Label6",
         {"Button04", "Button37", "Button38", "Button39", "Button40", "Button41", "Button42",
          "Button43", "Button44", "Button45"},
         "Label16"},
        {ForeignLanguage,
         nullptr,
         "Label7",
         {"Button05", "Button46", "Button47", "Button48", "Button49", "Button50", "Button51",
          "Button52", "Button53", "Button54"},
         "Label17"},
        {Literature,
         nullptr,
         "Label8",
         {"Button06", "Button55", "Button56", "Button57", "Button58", "Button59", "Button60",
          "Button61", "Button62", "Button63"},
         "Label18"},
        {Russian,
         nullptr,
         "Label9",
         {"Button07", "Button64", "Button65", "Button66", "Button67", "Button68", "Button69",
          "Button70", "Button71", "Button72"},
         "Label19"},
        {Geography,
         nullptr,
         "Label10",
         {"Button08", "Button73", "Button74", "Button75", "Button76", "Button77", "Button78",
          "Button79", "Button80", "Button81"},
         "Label20"},
        {Informatics,
         nullptr,
         "Label11",
         {"Button09", "Button82", "Button83", "Button84", "Button85", "Button86", "Button87",
          "Button88", "Button89", "Button90"},
         "Label21"},
        {Physics,
         nullptr,
         "Label3",
         {"Button01", "Button10", "Button11", "Button12", "Button13", "Button14", "Button15",
          "Button16", "Button17", "Button18"},
         "Label13"},
        {Chemistry,
         nullptr,
         "Label4",
         {"Button02", "Button19", "Button20", "Button21", "Button22", "Button23", "Button24",
          "Button25", "Button26", "Button27"},
         "Label14"},
    };
    useAnswerScale(t, AnswerCodes::Question::Interest, {39});
    t.answer = &SurveyState::InterestAnswer;
    t.next = [](SurveyRun& run) -> Screen* { return run.Form_Dop; };

    t.columnsTop = 98;
    t.columnsHeight = 564;
    t.rowPitch = 52;
    t.captions = {"Panel3", 361, 24};
    t.buttons = {"Panel2", 510, 16};
    t.values = {"Panel4", 106, 21};
    t.buttonHeight = 29;
    return t;
}

} // namespace

TForm4_Intrest::TForm4_Intrest(SurveyRun& run) : ScaleScreen(run, Frame, interestTable())
{
    addQuestionBanner(
        98, QStringLiteral("Ваш интерес к предмету по следующей шкале:\n") + digitScaleLegend(),
        false);
}
