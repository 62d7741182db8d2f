#pragma once

#include "screens/TeacherChoiceScreen.h"

// Form6_Treb: the three most demanding teachers' subjects.
class TForm6_Treb : public TeacherChoiceScreen
{
    Q_OBJECT

public:
    explicit TForm6_Treb(SurveyRun& run);

    // DemandingTeachersSeconds and DemandingTeachersAnswer, then on to the classmate screen when
    // the class has a roster workbook, else to the finish screen. Pressed again after the
    // classmate screen was closed, it does all of that again.
    void AdvGlassButton1Click() override;
};
