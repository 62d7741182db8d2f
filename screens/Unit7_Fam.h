#pragma once

#include "app/Screen.h"

class GlassButton;
class GradientPanel;
class QLineEdit;
class QTimer;
class ShadowLabel;

// Form7_Fam: the finish: the surname (unless it came from the class roster), the running test
// time, and the exit button that saves the record and ends the program.
class TForm7_Fam : public Screen
{
    Q_OBJECT

public:
    explicit TForm7_Fam(SurveyRun& run);

    // Each time the screen becomes active: the roster path or the surname question.
    void FormActivate() override;
    // Any character typed into the surname box, Backspace included.
    void Edit1KeyPress();
    void Timer1Timer();
    // "Нажмите для выхода": saves the record, closes the screens and so ends the program. A
    // failed save leaves the screen as it was, to be tried again; once a save has begun, further
    // presses save nothing more.
    void AdvGlassButton1Click();

    // The surname box, which the roster screen fills in with the picked name.
    QLineEdit* surnameBox() const { return Edit1; }

    GradientPanel* Shader1;
    ShadowLabel* sLabelFX3;
    ShadowLabel* sLabelFX1;
    ShadowLabel* sLabelFX2;
    QLineEdit* Edit1;
    ShadowLabel* sLabelFX4;
    QLineEdit* Edit2;
    GlassButton* AdvGlassButton1;
    QTimer* Timer1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enableExit();
    void closeTheScreens();

    enum class Save { NotYet, UnderWay, Done };
    Save m_save = Save::NotYet;
};
