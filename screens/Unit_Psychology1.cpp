#include "screens/Unit_Psychology1.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/Unit10_FamFile.h"
#include "screens/Unit7_Fam.h"
#include "state/SurveyError.h"
#include "widgets/ButtonCellGrid.h"
#include "widgets/GlassButton.h"
#include "widgets/GlowButton.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QLabel>

namespace {

const ScreenFrame Frame{QStringLiteral("Form_Psychology1"), QStringLiteral("Form_Psychology1"),
                        QSize(1135, 810), ScreenFrame::Border::Dialog, QColor(26, 33, 40)};

FrameVariant frameVariant()
{
    FrameVariant variant;
    variant.testTimeLabel = false;
    variant.barHeight = 770;
    return variant;
}

using Self = TForm_Psychology1;

// One question: its controls by designer name, its texts, where the countdown bar stands while
// it is the current question, and its handlers.
struct Question
{
    const char* panel;
    const char* textLabel;
    QString line1;
    QString line2;
    const char* nobodyButton;
    QString nobodyCaption;
    const char* grid;
    const char* continueButton;
    int barLeft;
    void (Self::*nameClick)(int col, int row);
    void (Self::*nobodyClick)();
    void (Self::*continueClick)();
};

const Question Questions[Self::QuestionCount] = {
    {"Panel2", "Label1", QStringLiteral("  С кем бы Вы хотели"),
     QStringLiteral(" сидеть за одной партой?"), "AdvGlowButton1", QStringLiteral("Ни с кем"),
     "AdvStringGrid1", "AdvGlassButton1", 294, &Self::AdvStringGrid1ButtonClick,
     &Self::AdvGlowButton1Click, &Self::AdvGlassButton1Click},
    {"Panel3", "Label2", QStringLiteral("Кого бы Вы выбрали"),
     QStringLiteral("  старостой класса?"), "AdvGlowButton2", QStringLiteral("Ни кого"),
     "AdvStringGrid2", "AdvGlassButton2", 570, &Self::AdvStringGrid2ButtonClick,
     &Self::AdvGlowButton2Click, &Self::AdvGlassButton2Click},
    {"Panel4", "Label3", QStringLiteral("  Выберите учащихся для"),
     QStringLiteral("спортивных соревнований"), "AdvGlowButton3", QStringLiteral("Ни кого"),
     "AdvStringGrid3", "AdvGlassButton3", 842, &Self::AdvStringGrid3ButtonClick,
     &Self::AdvGlowButton3Click, &Self::AdvGlassButton3Click},
    {"Panel5", "Label4", QStringLiteral("Выбирете учащихся на"),
     QStringLiteral("  научную олимпиаду"), "AdvGlowButton4", QStringLiteral("Ни кого"),
     "AdvStringGrid4", "AdvGlassButton4", 1108, &Self::AdvStringGrid4ButtonClick,
     &Self::AdvGlowButton4Click, &Self::AdvGlassButton4Click},
};

const QString Title = QStringLiteral("ВЫБЕРИТЕ 3-ех  ОДНОКЛАССНИКОВ НАЖАВ НА ИХ ФАМИЛИИ В ТАБЛИЦЕ");

// Each panel stands just left of the place of the countdown bar for its question.
constexpr int PanelTop = 36;
constexpr QSize PanelSize(220, 770);
constexpr QRect TextGeometry(8, 4, 204, 40);
constexpr QRect NobodyGeometry(35, 46, 150, 23);
constexpr QRect GridGeometry(33, 72, 154, 665);
constexpr QRect ContinueGeometry(35, 741, 150, 26);
// The first click on a name widens the grid so that the mark column comes into view.
constexpr int WidenedGridWidth = 167;
constexpr int NameColumn = 0;
constexpr int MarkColumn = 1;
constexpr int MarkColumnWidth = 13;

const QString NoChoice(RosterReaders::NameWidth, QLatin1Char(' '));

} // namespace

TForm_Psychology1::TForm_Psychology1(SurveyRun& run) : QuestionScreen(run, Frame, frameVariant())
{
    Panel1 = new QLabel(Title, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFont(screenFont(QStringLiteral("Arial"), 16));
    Panel1->setAlignment(Qt::AlignCenter);
    setTextColor(Panel1, Qt::white);
    setBackgroundColor(Panel1, QColor(31, 39, 48));
    Panel1->setGeometry(0, 0, width(), 31);

    for (int q = 0; q < QuestionCount; ++q) {
        const Question& question = Questions[q];

        QWidget* panel = new QWidget(this);
        panel->setObjectName(QLatin1String(question.panel));
        setBackgroundColor(panel, QColor(30, 39, 45));
        panel->setGeometry(
            QRect(QPoint(question.barLeft - PanelSize.width(), PanelTop), PanelSize));
        Panels[q] = panel;

        QLabel* text = new QLabel(question.line1 + QLatin1Char('\n') + question.line2, panel);
        text->setObjectName(QLatin1String(question.textLabel));
        text->setTextFormat(Qt::PlainText);
        text->setFont(screenFont(QStringLiteral("Arial"), 15));
        setTextColor(text, Qt::white);
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        text->setGeometry(TextGeometry);
        QuestionTexts[q] = text;

        GlowButton* nobody = new GlowButton(question.nobodyCaption, panel);
        nobody->setObjectName(QLatin1String(question.nobodyButton));
        nobody->setFont(screenFont(QStringLiteral("Tahoma"), 16));
        setTextColor(nobody, Qt::red);
        nobody->setGeometry(NobodyGeometry);
        on(nobody, &GlowButton::clicked,
           [this, handler = question.nobodyClick] { (this->*handler)(); });
        NobodyButtons[q] = nobody;

        ButtonCellGrid* grid = RosterReaders::createRosterGrid(
            panel, QLatin1String(question.grid), GridGeometry.topLeft(), MarkColumnWidth);
        on(grid, &ButtonCellGrid::buttonClicked,
           [this, handler = question.nameClick](int col, int row) { (this->*handler)(col, row); });
        Grids[q] = grid;

        GlassButton* proceed = new GlassButton(QStringLiteral("Продолжить"), panel);
        proceed->setObjectName(QLatin1String(question.continueButton));
        proceed->setFont(screenFont(QStringLiteral("Tahoma"), 13));
        setTextColor(proceed, Qt::white);
        proceed->setBodyColor(QColor(128, 0, 0));
        proceed->setGeometry(ContinueGeometry);
        on(proceed, &GlassButton::clicked,
           [this, handler = question.continueClick] { (this->*handler)(); });
        ContinueButtons[q] = proceed;

        // The four questions repeat their captions and names: assistive tools tell them apart
        // by the question's number, and read the question itself as the grid's name.
        const QString number = QStringLiteral("Вопрос %1: ").arg(q + 1);
        grid->setAccessibleName(
            number + (question.line1.trimmed() + QLatin1Char(' ') + question.line2.trimmed()));
        nobody->setAccessibleName(number + question.nobodyCaption);
        proceed->setAccessibleName(number + proceed->text());
    }

    AdvProgressBar1->move(Questions[0].barLeft, PanelTop);
    AdvProgressBar1->raise();
    SetUp();
}

RosterReaders::ChoiceGrids TForm_Psychology1::choiceGrids() const
{
    return Grids;
}

void TForm_Psychology1::FormShow()
{
    QuestionScreen::FormShow();
    SetUp();
    m_setUpPending = true;
}

void TForm_Psychology1::FormActivate()
{
    // Only the activation that follows a showing by the program fills the grids; a message box
    // closing over the screen activates it too, and must not undo the pupil's choices.
    if (!m_setUpPending)
        return;
    m_setUpPending = false;

    const QString& workbookName = run().state.RosterWorkbookName;
    if (!run().existsInWorkingFolder(workbookName)) {
        ShowFinishScreen();
        return;
    }
    try {
        RosterReaders::readChoiceGrids(run().workingPath(workbookName),
                                       *run().Form_FamFile->AdvStringGrid1, choiceGrids());
    } catch (const SurveyError& error) {
        if (m_readingFailureReported)
            return;
        m_readingFailureReported = true;
        run().showError(error.text());
    }
}

void TForm_Psychology1::SetUp()
{
    m_choice.fill(NoChoice);
    m_choiceCount.fill(0);
    for (int q = 0; q < QuestionCount; ++q) {
        ButtonCellGrid* grid = Grids[q];
        grid->resize(GridGeometry.width(), grid->height());
        for (int row = 0; row < grid->rowCount(); ++row)
            grid->setCell(MarkColumn, row, QString());
        grid->scrollToRow(0);
        ContinueButtons[q]->hide();
        Panels[q]->setVisible(q == 0);
    }
    AdvProgressBar1->move(Questions[0].barLeft, AdvProgressBar1->y());
}

void TForm_Psychology1::NameClicked(int q, int row)
{
    ButtonCellGrid* grid = Grids[q];
    grid->resize(WidenedGridWidth, grid->height());

    if (!grid->cell(MarkColumn, row).trimmed().isEmpty()) {
        ResetQuestion(q); // a click on a chosen name takes back every choice of the question
    } else {
        int& count = m_choiceCount[q];
        if (count == ChoicesPerQuestion)
            return;
        const QString name = grid->cell(NameColumn, row);
        if (RosterReaders::isBlankName(name))
            return; // a row without a name is nobody to choose
        ++count;
        grid->setCell(MarkColumn, row, QString::number(count));
        m_choice[static_cast<std::size_t>(q * ChoicesPerQuestion + count - 1)] =
            name.leftJustified(RosterReaders::NameWidth, QLatin1Char(' '), true);
    }
    if (m_choiceCount[q] == ChoicesPerQuestion)
        ContinueButtons[q]->show();
}

void TForm_Psychology1::ResetQuestion(int q)
{
    for (int n = 0; n < ChoicesPerQuestion; ++n)
        m_choice[static_cast<std::size_t>(q * ChoicesPerQuestion + n)] = NoChoice;
    m_choiceCount[q] = 0;
    ButtonCellGrid* grid = Grids[q];
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setCell(MarkColumn, row, QString());
}

void TForm_Psychology1::NobodyClicked(int q)
{
    ContinueButtons[q]->show();
}

void TForm_Psychology1::QuestionPassed(int q)
{
    if (q + 1 < QuestionCount) {
        StartQuestion(q + 1);
        return;
    }
    QString answer;
    for (const QString& choice : m_choice)
        answer += choice;
    run().state.ClassmateChoiceAnswer = answer;
    run().showScreen(run().Form7_Fam);
}

void TForm_Psychology1::StartQuestion(int q)
{
    AdvProgressBar1->move(Questions[q].barLeft, AdvProgressBar1->y());
    AdvProgressBar1->setPosition(100);
    restartScreenClock();
    Panels[q]->show();
}

void TForm_Psychology1::ShowFinishScreen()
{
    if (run().terminationRequested() || !isVisible())
        return;
    run().showScreen(run().Form7_Fam);
}

void TForm_Psychology1::AdvStringGrid1ButtonClick(int, int row)
{
    NameClicked(0, row);
}
void TForm_Psychology1::AdvStringGrid2ButtonClick(int, int row)
{
    NameClicked(1, row);
}
void TForm_Psychology1::AdvStringGrid3ButtonClick(int, int row)
{
    NameClicked(2, row);
}
void TForm_Psychology1::AdvStringGrid4ButtonClick(int, int row)
{
    NameClicked(3, row);
}
void TForm_Psychology1::AdvGlowButton1Click()
{
    NobodyClicked(0);
}
void TForm_Psychology1::AdvGlowButton2Click()
{
    NobodyClicked(1);
}
void TForm_Psychology1::AdvGlowButton3Click()
{
    NobodyClicked(2);
}
void TForm_Psychology1::AdvGlowButton4Click()
{
    NobodyClicked(3);
}
void TForm_Psychology1::AdvGlassButton1Click()
{
    QuestionPassed(0);
}
void TForm_Psychology1::AdvGlassButton2Click()
{
    QuestionPassed(1);
}
void TForm_Psychology1::AdvGlassButton3Click()
{
    QuestionPassed(2);
}
void TForm_Psychology1::AdvGlassButton4Click()
{
    QuestionPassed(3);
}
