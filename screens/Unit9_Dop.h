#pragma once

#include "app/QuestionScreen.h"

// Form_Dop: interest in five additional areas, 0 to 9.
class TForm_Dop : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm_Dop(SurveyRun& run);
};
