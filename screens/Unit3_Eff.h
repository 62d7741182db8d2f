#pragma once

#include "app/QuestionScreen.h"

// Form3_Eff: minutes distracted in a lesson per subject.
class TForm3_Eff : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm3_Eff(SurveyRun& run);
};
