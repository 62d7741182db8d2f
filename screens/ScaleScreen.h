#pragma once

#include "screens/QuestionScreen.h"
#include "state/AnswerCodes.h"
#include "state/SurveyState.h"

#include <QSize>
#include <QString>
#include <vector>

class QPushButton;

// One button of a scale, left to right in every row.
struct ScaleStep
{
    const char* caption; // on the button
    const char* shown;   // in the row's value label once the button is pressed
    const char* code;    // what the answer stores for it
    int width;           // of the button, in pixels
};

// One row of a scale screen, top to bottom, with its designer names.
struct ScaleRow
{
    // Its SubjectCatalogue number, which is also its place in the answer; 0 for a row that is no
    // school subject: such rows have no class rules and take the places in row order.
    int subject;
    const char* caption; // nullptr: the catalogue's heading of the subject
    const char* captionLabel;
    std::vector<const char*> buttons; // one per scale step, left to right
    const char* valueLabel;
    const char* codeLabel = nullptr;   // a hidden label that keeps the code, where there is one
    const char* lastCaption = nullptr; // where the row's last button reads otherwise
};

// One of the three columns whose rows line up: captions, buttons, values.
struct ScaleColumn
{
    const char* panel; // objectName
    int width;
    int fontPixels; // of the captions or values; of the button captions in the button column
};

// Everything that makes one scale screen what it is: its rows, its scale, where its answer goes
// and which screen follows, and the measures of its columns.
struct ScaleTable
{
    std::vector<ScaleRow> rows; // in screen order
    std::vector<ScaleStep> scale;
    // What the value label and the code of a subject the class does not have are set to.
    const char* notTaughtShown = nullptr;
    const char* notTaughtCode = nullptr;
    QString SurveyState::*answer = nullptr;
    Screen* (*next)(SurveyRun&) = nullptr;
    bool gradesHeadings = false; // the headings of the quarter grades screen

    int columnsTop = 0;
    int columnsHeight = 0;
    int rowPitch = 0; // from the centre of one row to the next
    ScaleColumn captions{};
    ScaleColumn buttons{};
    ScaleColumn values{};
    int buttonHeight = 0;

    // The Continue button of the screens after the quarter grades screen, unless told otherwise.
    const char* continueButton = "Button100";
    QSize continueSize{280, 40};
    int continueFontPixels = 19;
};

// The buttons of one of the answer scales, left to right, and what a subject the class does not
// have stores: codes and texts from the core table, so that the screens and the readers of the
// statistics files share them; the widths are the screen's, one per button or one for all.
void useAnswerScale(ScaleTable& table, AnswerCodes::Question question,
                    const std::vector<int>& widths);
// The second line of the banner of the screens that use the interest scale.
QString digitScaleLegend();

// A question screen that asks one value per row on a scale of buttons. Only the first row is
// shown at start; answering a row for the first time reveals the next one, and the class rules
// keep physics (below class 7) and chemistry (below class 8) out: their rows never appear and
// their places hold the table's "not taught" code. Continue appears once the class's rows are
// answered and stays. A row may be answered again until Continue, which keeps every other row
// as it is. Continue rebuilds the answer whole, one place of 12 characters per row, and shows the
// next screen on top.
//
// The widgets stand at fixed places, so nothing moves as rows appear.
class ScaleScreen : public QuestionScreen
{
    Q_OBJECT

public:
    ScaleScreen(SurveyRun& run, const ScreenFrame& frame, const ScaleTable& table,
                const FrameVariant& variant = {});

    const ScaleTable& table() const { return m_table; }

    // A press of button `step` in row `row` (both from 0, screen order): the value label and the
    // code take the step's texts, then the row step reveals what follows.
    void chooseValue(int row, int step);

    // Continue: stores the answer, then shows the next screen.
    virtual void AdvGlassButton1Click();

protected:
    void applyShowRules() override;

    // Clears the screen's answer field and rebuilds it from the codes of the rows.
    void storeAnswer();

    QPushButton* button(int row, int step) const;
    QWidget* captionPanel() const { return m_captionPanel; }
    QWidget* buttonPanel() const { return m_buttonPanel; }
    GlassButton* continueButton() const { return m_continue; }

    // The question banner across the top (Panel1 with Label1): white bold 19-pixel text on the
    // dark band, centred.
    QLabel* addQuestionBanner(int height, const QString& text, bool underlined);

private:
    struct Row
    {
        QLabel* caption = nullptr;
        std::vector<QPushButton*> buttons;
        QLabel* value = nullptr;
        QLabel* codeLabel = nullptr;
        QString code = QStringLiteral("-");
    };

    void buildColumns();
    void addRow(int row, int centre);
    void nameButtonsAfterRow(const Row& row);
    QString initialCaption(const ScaleRow& row) const;
    void rowStep(int row);
    void reveal(int row);
    // The table's "not taught" texts for this row.
    void markNotTaught(int row);
    void setCode(int row, const QString& code);
    // Whether the class has the row's subject (SubjectCatalogue::taughtIn); rows that are no
    // school subject always.
    bool taught(int row, const QString& classNumber) const;

    ScaleTable m_table;
    std::vector<Row> m_rows;
    QWidget* m_captionPanel = nullptr;
    QWidget* m_buttonPanel = nullptr;
    QWidget* m_valuePanel = nullptr;
    GlassButton* m_continue = nullptr;
};
