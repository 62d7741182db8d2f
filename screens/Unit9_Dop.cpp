#include "screens/Unit9_Dop.h"

#include "app/SurveyRun.h"
#include "screens/Unit5_Love.h"

#include <iterator>
#include <stdexcept>

namespace {

const ScreenFrame Frame{QStringLiteral("Form_Dop"), QStringLiteral("Form_Dop"), QSize(1022, 738)};

// The designer names of the five rows, top to bottom in the order of the areas' places.
struct AreaRow
{
    const char* captionLabel;
    std::vector<const char*> buttons;
    const char* valueLabel;
};

const AreaRow AreaRows[] = {
    {"Label2",
     {"Button00", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
      "Button8", "Button9"},
     "Label12"},
    {"Label3",
     {"Button01", "Button10", "Button11", "Button12", "Button13", "Button14", "Button15",
      "Button16", "Button17", "Button18"},
     "Label13"},
    {"Label4",
     {"Button02", "Button19", "Button20", "Button21", "Button22", "Button23", "Button24",
      "Button25", "Button26", "Button27"},
     "Label14"},
    {"Label5",
     {"Button03", "Button28", "Button29", "Button30", "Button31", "Button32", "Button33",
      "Button34", "Button35", "Button36"},
     "Label15"},
    {"Label6",
     {"Button04", "Button37", "Button38", "Button39", "Button40", "Button41", "Button42",
      "Button43", "Button44", "Button45"},
     "Label16"},
};

// Five areas outside the school subjects, the same for every class: no class rules, and the
// places follow the rows. Their headings come with the areas from the core table.
ScaleTable extraTable()
{
    const std::span<const AnswerCodes::Area> areas = AnswerCodes::extraAreas();
    if (areas.size() != std::size(AreaRows))
        throw std::logic_error("one row of the additional areas screen per area");
    ScaleTable t;
    for (std::size_t i = 0; i < areas.size(); ++i)
        t.rows.push_back({0, areas[i].caption, AreaRows[i].captionLabel, AreaRows[i].buttons,
                          AreaRows[i].valueLabel});
    useAnswerScale(t, AnswerCodes::Question::Extra, {39});
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
