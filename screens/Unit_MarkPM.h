#pragma once

#include "app/Screen.h"

// FormMarkPM: a trial window for grades with tenths.
class TFormMarkPM : public Screen
{
    Q_OBJECT

public:
    explicit TFormMarkPM(SurveyRun& run);

    void FormClose() override {} // closing only hides the window
};
