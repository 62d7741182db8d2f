#pragma once

#include "screens/QuestionScreen.h"

#include <QStringList>
#include <array>

class QLabel;
class GlassButton;

// The texts in which the two teacher screens differ.
struct TeacherScreenTexts
{
    QString headline;        // Label1, white, in the banner
    QString counterAtStart;  // Label22 before the first press of a subject button
    int marksPanelWidth = 0; // Panel4
};

// The favourite and the demanding teachers screens: one button per subject, a press marks the
// subject and a second press takes the mark back; at most three marks, kept in the order in
// which they were made. Continue is visible only while exactly three subjects are marked; what it
// stores and where it leads is the screen's own AdvGlassButton1Click. A subject is marked while
// its button shows the marked caption ("Алгебра отмечено").
class TeacherChoiceScreen : public QuestionScreen
{
    Q_OBJECT

public:
    static constexpr int MarksNeeded = 3;

    struct SubjectRow
    {
        const char* button;    // objectName of the subject button
        const char* markLabel; // objectName of its "отмечено" label
        int number;            // the subject's number in the catalogue, also its code
    };
    // Top to bottom: the subjects in the order of the per-subject screens.
    static const std::array<SubjectRow, 10>& subjectRows();

    static QString plainCaption(int number);
    static QString markedCaption(int number);
    // The code as it is stored: decimal digits, blanks up to 12 characters.
    static QString codeText(int number);

    // Button1Click … Button10Click: the toggle of the subject with this number.
    void SubjectButtonClick(int number);
    // Continue (Button100).
    virtual void AdvGlassButton1Click() = 0;

    bool isMarked(int number) const;
    // The code texts in marking order, joined: 36 characters once three subjects are marked.
    QString choiceAnswer() const { return ChoiceCodes.join(QString()); }

    GlassButton* subjectButton(int number) const;
    QLabel* markLabel(int number) const;

    int MarkedCount = 0;
    QStringList ChoiceCodes; // as many as MarkedCount

    QWidget* Panel1; // the banner
    QLabel* Label1;  // headline
    QLabel* Label23; // "(Повторное нажатие отменяет выбор)"
    QWidget* Panel2; // subject buttons
    QWidget* Panel4; // mark labels
    QLabel* Label22; // the counter
    GlassButton* Button100;

protected:
    TeacherChoiceScreen(SurveyRun& run, const ScreenFrame& frame, const TeacherScreenTexts& texts);

    // The class rules: no physics and chemistry buttons in classes 5 and 6, no chemistry in 7.
    void applyShowRules() override;

private:
    void showMark(int number, bool marked);

    std::array<GlassButton*, 11> m_buttons{}; // by subject number, 1 … 10
    std::array<QLabel*, 11> m_marks{};
};
