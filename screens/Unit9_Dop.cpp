#include "screens/Unit9_Dop.h"

#include "app/SurveyRun.h"
#include "screens/Unit5_Love.h"

namespace {

const ScreenFrame Frame{QStringLiteral("Form_Dop"), QStringLiteral("Form_Dop"), QSize(1022, 738)};

// Five areas outside the school subjects, the same for every class: no class rules, and the
// places follow the rows.
ScaleTable extraTable()
{
    ScaleTable t;
    t.rows = {
        {0,
         "ЭКОНОМИКА И ФИНАНСЫ",
         "Label2",
         {"Button00", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
          "Button8", "Button9"},
         "Label12"},
        {0,
         "МИРОВАЯ КУЛЬТУРА",
         "Label3",
         {"Button01", "Button10", "Button11", "Button12", "Button13", "Button14", "Button15",
          "Button16", "Button17", "Button18"},
         "Label13"},
        {0,
         "СПОРТИВНЫЕ СЕКЦИИ",
         "Label4",
         {"Button02", "Button19", "Button20", "Button21", "Button22", "Button23", "Button24",
          "Button25", "Button26", "Button27"},
         "Label14"},
        {0,
         "РЕЛИГИОЗНОЕ ОБРАЗОВАНИЕ",
         "Label5",
         {"Button03", "Button28", "Button29", "Button30", "Button31", "Button32", "Button33",
          "Button34", "Button35", "Button36"},
         "Label15"},
        {0,
         "ВОЕННОЕ ОБРАЗОВАНИЕ",
         "Label6",
         {"Button04", "Button37", "Button38", "Button39", "Button40", "Button41", "Button42",
          "Button43", "Button44", "Button45"},
         "Label16"},
    };
    t.scale = digitScale();
    t.answer = &SurveyState::ExtraAnswer;
    t.next = [](SurveyRun& run) -> Screen* { return run.Form5_Love; };

    t.columnsTop = 102;
    t.columnsHeight = 311;
    t.rowPitch = 55;
    t.captions = {"Panel3", 361, 21};
    t.buttons = {"Panel2", 510, 16};
    t.values = {"Panel4", 105, 21};
    t.buttonHeight = 29;
    return t;
}

} // namespace

TForm_Dop::TForm_Dop(SurveyRun& run) : ScaleScreen(run, Frame, extraTable())
{
    addQuestionBanner(102,
                      QStringLiteral("Насколько Вы интересуетесь следующими дисциплинами:\n") +
                          digitScaleLegend(),
                      false);
}
