#pragma once

#include "app/QuestionScreen.h"

// Form5_Love: the three favourite teachers' subjects.
class TForm5_Love : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm5_Love(SurveyRun& run);
};
