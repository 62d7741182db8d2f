#pragma once

#include "app/Screen.h"

class GlassButton;
class GradientPanel;
class ShadowLabel;
class QLabel;

// Form_Vveden: the introduction and the main window of the program.
class TForm_Vveden : public Screen
{
    Q_OBJECT

public:
    explicit TForm_Vveden(SurveyRun& run);

    void AdvGlassButton1Click();

    GradientPanel* Shader1;
    ShadowLabel* Label1;
    QLabel* Label2;
    ShadowLabel* Label3;
    GlassButton* AdvGlassButton1;
};
