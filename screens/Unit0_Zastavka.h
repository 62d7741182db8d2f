#pragma once

#include <QWidget>

class GradientPanel;
class QLabel;
class ShadowLabel;

// Form0_Zastavka: the splash shown for two seconds before the screens are created. It has no
// owner and is destroyed before the run begins.
class TForm0_Zastavka : public QWidget
{
    Q_OBJECT

public:
    TForm0_Zastavka();

    bool hasBeenPainted() const { return m_painted; }

    GradientPanel* Shader1;
    QLabel* Image1;
    ShadowLabel* Label1;
    ShadowLabel* Label2;
    ShadowLabel* Label3;
    ShadowLabel* Label4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_painted = false;
};
