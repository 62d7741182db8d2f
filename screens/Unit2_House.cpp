#include "screens/Unit2_House.h"

#include "app/SurveyRun.h"
#include "screens/Unit3_Eff.h"
#include "state/SubjectCatalogue.h"

using namespace SubjectCatalogue;

namespace {

const ScreenFrame Frame{QStringLiteral("Form2_House"), QStringLiteral("Домашняя загруженность"),
                        QSize(1024, 738)};

// The last button reads "90 и больше", in the rows of Russian, geography and informatics
// "90 и более"; both store 90.
const char* const NinetyOrMore = "90 и более";

ScaleTable houseTable()
{
    ScaleTable t;
    t.rows = {
        {Algebra,
         nullptr,
         "Label2",
         {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7"},
         "Label12"},
        {History,
         nullptr,
         "Label5",
         {"Button22", "Button23", "Button24", "Button25", "Button26", "Button27", "Button28"},
         "Label15"},
        {Biology,
         nullptr,
         "Label6",
         {"Button29", "Button30", "Button31", "Button32", "Button33", "Button34", "Button35"},
         "Label16"},
        {ForeignLanguage,
         nullptr,
         "Label7",
         {"Button36", "Button37", "Button38", "Button39", "Button40", "Button41", "Button42"},
         "Label17"},
        {Literature,
         nullptr,
         "Label8",
         {"Button43", "Button44", "Button45", "Button46", "Button47", "Button48", "Button49"},
         "Label18"},
        {Russian,
         nullptr,
         "Label9",
         {"Button50", "Button51", "Button52", "Button53", "Button54", "Button55", "Button56"},
         "Label19",
         nullptr,
         NinetyOrMore},
        {Geography,
         nullptr,
         "Label10",
         {"Button57", "Button58", "Button59", "Button60", "Button61", "Button62", "Button63"},
         "Label20",
         nullptr,
         NinetyOrMore},
        {Informatics,
         nullptr,
         "Label11",
         {"Button64", "Button65", "Button66", "Button67", "Button68", "Button69", "Button70"},
         "Label21",
         nullptr,
         NinetyOrMore},
        {Physics,
         nullptr,
         "Label3",
         {"Button8", "Button9", "Button10", "Button11", "Button12", "Button13", "Button14"},
         "Label13"},
        {Chemistry,
         nullptr,
         "Label4",
         {"Button15", "Button16", "Button17", "Button18", "Button19", "Button20", "Button21"},
         "Label14"},
    };
    useAnswerScale(t, AnswerCodes::Question::Homework, {70, 70, 70, 70, 70, 70, 80});
    t.answer = &SurveyState::HomeworkAnswer;
    t.next = [](SurveyRun& run) -> Screen* { return run.Form3_Eff; };

    t.columnsTop = 95;
    t.columnsHeight = 577;
    t.rowPitch = 55;
    t.captions = {"Panel3", 340, 24};
    t.buttons = {"Panel4", 569, 12};
    t.values = {"Panel2", 92, 12};
    t.buttonHeight = 35;
    return t;
}

} // namespace

TForm2_House::TForm2_House(SurveyRun& run) : ScaleScreen(run, Frame, houseTable())
{
    addQuestionBanner(
        95,
        QStringLiteral("Сколько минут в среднем вы затрачиваете на подготовку домашнего задания к "
                       "предмету?"),
        true);
}
