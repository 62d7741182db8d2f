#pragma once

#include "screens/ScaleScreen.h"

// Form2_House: minutes of homework per subject.
class TForm2_House : public ScaleScreen
{
    Q_OBJECT

public:
    explicit TForm2_House(SurveyRun& run);
};
