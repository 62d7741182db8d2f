#pragma once

#include "screens/QuestionScreen.h"
#include "screens/RosterReaders.h"

#include <array>

class ButtonCellGrid;
class GlassButton;
class GlowButton;
class QLabel;

// Form_Psychology1: four classmate-choice questions, answered from left to right. For each the
// pupil picks up to three classmates in order of preference from a grid of the class roster (or
// nobody); the last Continue stores the twelve choices as ClassmateChoiceAnswer.
//
// Each time the program shows the screen it starts afresh at question 1: no choices, no marks,
// the grids filled again from the roster grid of the roster screen (or, when the workbook has
// gone, straight on to the finish screen). Becoming active again without being shown (a message
// box closing over it) changes nothing. A workbook that cannot be read is reported once in the
// run; the questions can then be passed with their "nobody" buttons.
class TForm_Psychology1 : public QuestionScreen
{
    Q_OBJECT

public:
    static constexpr int QuestionCount = 4;
    static constexpr int ChoicesPerQuestion = 3;

    explicit TForm_Psychology1(SurveyRun& run);

    void FormShow() override;
    void FormActivate() override;
    void FormClose() override {} // closing only hides the screen

    void AdvStringGrid1ButtonClick(int col, int row);
    void AdvStringGrid2ButtonClick(int col, int row);
    void AdvStringGrid3ButtonClick(int col, int row);
    void AdvStringGrid4ButtonClick(int col, int row);
    void AdvGlowButton1Click();
    void AdvGlowButton2Click();
    void AdvGlowButton3Click();
    void AdvGlowButton4Click();
    void AdvGlassButton1Click();
    void AdvGlassButton2Click();
    void AdvGlassButton3Click();
    void AdvGlassButton4Click();

    // The grids of questions 1 to 4, which the roster reader fills too.
    RosterReaders::ChoiceGrids choiceGrids() const;

    // The controls of questions 1 to 4, by question; their designer names are in the question
    // table of the source.
    QLabel* Panel1;                                            // the title bar
    std::array<QWidget*, QuestionCount> Panels{};              // Panel2 … Panel5
    std::array<QLabel*, QuestionCount> QuestionTexts{};        // Label1 … Label4
    std::array<GlowButton*, QuestionCount> NobodyButtons{};    // AdvGlowButton1 … 4
    std::array<ButtonCellGrid*, QuestionCount> Grids{};        // AdvStringGrid1 … 4
    std::array<GlassButton*, QuestionCount> ContinueButtons{}; // AdvGlassButton1 … 4

private:
    // The steps of one question q (0 to 3).
    void NameClicked(int q, int row);
    void ResetQuestion(int q);
    void NobodyClicked(int q);
    void QuestionPassed(int q);
    void StartQuestion(int q);

    void SetUp();
    void ShowFinishScreen();

    std::array<int, QuestionCount> m_choiceCount{};
    // Choice n of question q is m_choice[q * 3 + n]: twelve blanks, or a name of 12 characters.
    std::array<QString, QuestionCount * ChoicesPerQuestion> m_choice;
    bool m_setUpPending = false;
    bool m_readingFailureReported = false;
};
