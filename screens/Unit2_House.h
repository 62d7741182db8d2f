#pragma once

#include "app/QuestionScreen.h"

// Form2_House: minutes of homework per subject.
class TForm2_House : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm2_House(SurveyRun& run);
};
