#pragma once

#include "screens/TeacherChoiceScreen.h"

// Form5_Love: the three favourite teachers' subjects.
class TForm5_Love : public TeacherChoiceScreen
{
    Q_OBJECT

public:
    explicit TForm5_Love(SurveyRun& run);

    // FavouriteTeachersAnswer := the three codes in marking order; on to the demanding teachers.
    void AdvGlassButton1Click() override;
};
