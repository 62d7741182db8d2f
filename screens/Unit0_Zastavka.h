#pragma once

#include "app/Splash.h"

class GradientPanel;
class QLabel;
class ShadowLabel;

// Form0_Zastavka: the splash shown for two seconds before the screens are created. It has no
// owner and is destroyed before the run begins.
class TForm0_Zastavka : public Splash
{
    Q_OBJECT

public:
    TForm0_Zastavka();

    GradientPanel* Shader1;
    QLabel* Image1;
    ShadowLabel* Label1;
    ShadowLabel* Label2;
    ShadowLabel* Label3;
    ShadowLabel* Label4;
};
