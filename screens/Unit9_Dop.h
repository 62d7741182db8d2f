#pragma once

#include "screens/ScaleScreen.h"

// Form_Dop: interest in five additional areas, 0 to 9.
class TForm_Dop : public ScaleScreen
{
    Q_OBJECT

public:
    explicit TForm_Dop(SurveyRun& run);
};
