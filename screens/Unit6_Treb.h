#pragma once

#include "app/QuestionScreen.h"

// Form6_Treb: the three most demanding teachers' subjects.
class TForm6_Treb : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm6_Treb(SurveyRun& run);
};
