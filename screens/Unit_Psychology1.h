#pragma once

#include "app/QuestionScreen.h"

// Form_Psychology1: four classmate-choice questions.
class TForm_Psychology1 : public QuestionScreen
{
    Q_OBJECT

public:
    explicit TForm_Psychology1(SurveyRun& run);

    void FormShow() override;
    void FormClose() override {} // closing only hides the screen
};
