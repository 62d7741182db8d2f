#pragma once

#include "app/Screen.h"

class GlassButton;
class GradientPanel;
class QLabel;
class QPushButton;

// Form8_Coord: class, stream and gender of the respondent, asked one after another on one
// screen. Each group of buttons is revealed by a press in the group above and then stays; every
// button can be pressed again later. The chosen class lives in Label4 until Continue.
class TForm8_Coord : public Screen
{
    Q_OBJECT

public:
    explicit TForm8_Coord(SurveyRun& run);

    // Button1Click … Button11Click.
    void ClassButtonClick(const QString& number);
    // Button12Click … Button17Click: a stream letter.
    void StreamButtonClick(const QString& letter);
    // "Другое": no letter; ClassStream keeps what it had.
    void Button18Click();
    // Button20Click ("Мужской", "1") and Button21Click ("Женский", "0").
    void GenderButtonClick(const QString& shown, const QString& code);
    // "Продолжить": ClassNumber, RosterWorkbookName, then the roster screen or the grades screen.
    void AdvGlassButton1Click();
    // The hidden Button19: the grade refinement form.
    void Button19Click();

    GradientPanel* Shader1;
    QLabel* Label1;
    QLabel* Label3;
    QWidget* Panel3; // class buttons Button1 … Button11
    QLabel* Label2;
    QWidget* Panel4; // stream buttons Button12 … Button18
    QLabel* Label6;
    QWidget* Panel1; // gender buttons Button20, Button21
    QWidget* Panel5; // class box
    QLabel* Label4;
    QWidget* Panel6; // stream box
    QLabel* Label5;
    QWidget* Panel2; // gender box
    QLabel* Label7;
    GlassButton* AdvGlassButton1;
    QPushButton* Button19;

private:
    void revealGenderStage();
    // A name picked from another class's roster does not belong to this class.
};
