#pragma once

#include "screens/ScaleScreen.h"

// Form3_Eff: minutes distracted in a lesson per subject.
class TForm3_Eff : public ScaleScreen
{
    Q_OBJECT

public:
    explicit TForm3_Eff(SurveyRun& run);
};
