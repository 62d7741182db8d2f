#pragma once

#include "app/QuestionScreen.h"

// Form1_Ball: the grades of the last quarter.
class TForm1_Ball : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm1_Ball(SurveyRun& run);
};
