#pragma once

#include "app/Screen.h"

// Form_FamFile: the pupil picks the surname from the class roster.
class TForm_FamFile : public Screen
{
    Q_OBJECT

public:
    explicit TForm_FamFile(SurveyRun& run);

    void FormClose() override {} // closing only hides the window
};
