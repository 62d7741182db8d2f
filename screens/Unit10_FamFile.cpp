#include "screens/Unit10_FamFile.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/RosterReaders.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit_Psychology1.h"
#include "state/SurveyError.h"
#include "widgets/ButtonCellGrid.h"
#include "widgets/GlassButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QLineEdit>

namespace {

const ScreenFrame Frame{QStringLiteral("Form_FamFile"), QStringLiteral("Form_FamFile"),
                        QSize(1023, 738), ScreenFrame::Border::Dialog, Qt::black};

const QString PromptLines[] = {
    QStringLiteral("   Выделите свою фамилию в таблице, "),
    QStringLiteral("отметив свое участие в исследованиях."),
};

// The grid stands at the right edge; room is left beside it for the scroll bar of a long roster.
constexpr QPoint GridTopLeft(833, 36);
// The prompt, the picked name and Continue stand centred in the space left of the grid.
constexpr int LeftAreaWidth = 833;

} // namespace

TForm_FamFile::TForm_FamFile(SurveyRun& run) : Screen(run, Frame)
{
    Shader1 = addShader(this);

    sLabelFX3 = new ShadowLabel(PromptLines[0] + QLatin1Char('\n') + PromptLines[1], Shader1);
    sLabelFX3->setObjectName(QStringLiteral("sLabelFX3"));
    sLabelFX3->setFont(screenFont(QStringLiteral("Arial"), 30));
    setTextColor(sLabelFX3, Qt::white);
    sLabelFX3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sLabelFX3->setGeometry(90, 246, LeftAreaWidth - 120, 88);

    AdvStringGrid1 =
        RosterReaders::createRosterGrid(Shader1, QStringLiteral("AdvStringGrid1"), GridTopLeft, 1);
    AdvStringGrid1->setAccessibleName(QStringLiteral("Список класса"));
    on(AdvStringGrid1, &ButtonCellGrid::buttonClicked,
       [this](int col, int row) { AdvStringGrid1ButtonClick(col, row); });

    Edit1 = new QLineEdit(Shader1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(screenFont(QStringLiteral("Arial"), 20));
    // Names carry blanks up to 12 characters: left-aligned they all start at the same place.
    Edit1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Edit1->setTextMargins(14, 0, 6, 0);
    Edit1->setEnabled(false); // it shows the pick; the pupil cannot type into it
    QPalette box = Edit1->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        box.setColor(group, QPalette::Base, Qt::white);
        box.setColor(group, QPalette::Text, Qt::black);
    }
    Edit1->setPalette(box);
    Edit1->setGeometry((LeftAreaWidth - 225) / 2, 352, 225, 35);

    AdvGlassButton1 = new GlassButton(Shader1);
    AdvGlassButton1->setObjectName(QStringLiteral("AdvGlassButton1"));
    AdvGlassButton1->setText(QStringLiteral("Продолжить"));
    AdvGlassButton1->setFont(screenFont(QStringLiteral("Arial"), 22));
    setTextColor(AdvGlassButton1, Qt::white);
    AdvGlassButton1->setGeometry((LeftAreaWidth - 280) / 2, 432, 280, 54);
    AdvGlassButton1->hide();
    on(AdvGlassButton1, &GlassButton::clicked, [this] { AdvGlassButton1Click(); });
}

void TForm_FamFile::FormActivate()
{
    const QString& workbookName = run().state.RosterWorkbookName;
    if (!run().existsInWorkingFolder(workbookName)) {
        run().showScreen(run().Form1_Ball);
        return;
    }
    try {
        RosterReaders::readRoster(run().workingPath(workbookName), run().locale(), *AdvStringGrid1,
                                  run().Form_Psychology1->choiceGrids());
    } catch (const SurveyError& error) {
        // The box closing activates this screen again, which reads again: the pupil hears of
        // the fault once, and the grid keeps its rows to go on with.
        if (m_readingFailureReported)
            return;
        m_readingFailureReported = true;
        run().showError(error.text());
    }
}

void TForm_FamFile::AdvStringGrid1ButtonClick(int /*col*/, int row)
{
    SurveyState& state = run().state;
    const QString name = AdvStringGrid1->cell(0, row);
    if (RosterReaders::isBlankName(name)) {
        // A row without a name picks nobody: the finish screen asks for the surname then.
        clearPick();
    } else {
        Edit1->setText(name);
        QLineEdit* finishBox = finishSurnameBox();
        if (finishBox) {
            finishBox->setText(name);
            state.Surname = finishBox->text();
        } else {
            state.Surname = name;
        }
        state.RosterLoaded = 1;
        m_pickedFrom = state.RosterWorkbookName;
    }
    AdvGlassButton1->show();
}

void TForm_FamFile::clearPick()
{
    Edit1->clear();
    if (QLineEdit* finishBox = finishSurnameBox())
        finishBox->clear();
    run().state.Surname.clear();
    run().state.RosterLoaded = 0;
    m_pickedFrom.clear();
}

void TForm_FamFile::forgetPickUnlessFrom(const QString& workbookName)
{
    if (!m_pickedFrom.isEmpty() && m_pickedFrom == workbookName)
        return;
    clearPick();
    AdvGlassButton1->hide();
}

void TForm_FamFile::AdvGlassButton1Click()
{
    run().showScreen(run().Form1_Ball);
}

QLineEdit* TForm_FamFile::finishSurnameBox() const
{
    if (!run().Form7_Fam)
        return nullptr;
    return run().Form7_Fam->surnameBox();
}
