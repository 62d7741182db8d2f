// The screens of a run, in the order they are created at start-up, and the splash before them:
// the program's composition. The first screen is the main window. A screen is added here, with
// its instance name in SurveyRun (app/SurveyRun.h), and its source in screens/CMakeLists.txt.

#include "screens/ScreenTable.h"

#include "app/Screen.h"
#include "app/SurveyRun.h"
#include "screens/Unit0_Zastavka.h"
#include "screens/Unit10_FamFile.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit2_House.h"
#include "screens/Unit3_Eff.h"
#include "screens/Unit4_Intrest.h"
#include "screens/Unit5_Love.h"
#include "screens/Unit6_Treb.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit8_Coord.h"
#include "screens/Unit9_Dop.h"
#include "screens/Unit_MarkPM.h"
#include "screens/Unit_Psychology1.h"
#include "screens/Unit_Vveden.h"

namespace {

using Create = Screen* (*)(SurveyRun&);

#define SURVEY_SCREEN(Instance, Class)                                                             \
    [](SurveyRun& run) -> Screen* { return run.Instance = new Class(run); }

const Create CreationOrder[] = {
    SURVEY_SCREEN(Form_Vveden, TForm_Vveden),
    SURVEY_SCREEN(Form1_Ball, TForm1_Ball),
    SURVEY_SCREEN(Form2_House, TForm2_House),
    SURVEY_SCREEN(Form3_Eff, TForm3_Eff),
    SURVEY_SCREEN(Form4_Intrest, TForm4_Intrest),
    SURVEY_SCREEN(Form5_Love, TForm5_Love),
    SURVEY_SCREEN(Form6_Treb, TForm6_Treb),
    SURVEY_SCREEN(Form7_Fam, TForm7_Fam),
    SURVEY_SCREEN(Form8_Coord, TForm8_Coord),
    SURVEY_SCREEN(Form_Dop, TForm_Dop),
    SURVEY_SCREEN(Form_Psychology1, TForm_Psychology1),
    SURVEY_SCREEN(Form_FamFile, TForm_FamFile),
    SURVEY_SCREEN(FormMarkPM, TFormMarkPM),
};

#undef SURVEY_SCREEN

} // namespace

Composition surveyComposition()
{
    Composition composition;
    composition.splash = [] { return std::make_unique<TForm0_Zastavka>(); };
    composition.createScreens = [](SurveyRun& run) {
        for (Create create : CreationOrder)
            create(run); // the screen registers itself with the run
    };
    return composition;
}
