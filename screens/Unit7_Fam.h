#pragma once

#include "app/Screen.h"

class QLineEdit;
class QTimer;
class ShadowLabel;

// Form7_Fam: the finish: surname and the exit button that saves the record.
class TForm7_Fam : public Screen
{
    Q_OBJECT

public:
    explicit TForm7_Fam(SurveyRun& run);

    void Timer1Timer();

    QTimer* Timer1;
    ShadowLabel* sLabelFX4;
    QLineEdit* Edit2;
};
