#pragma once

#include "screens/ScaleScreen.h"

// Form4_Intrest: interest in each subject, 0 to 9.
class TForm4_Intrest : public ScaleScreen
{
    Q_OBJECT

public:
    explicit TForm4_Intrest(SurveyRun& run);
};
