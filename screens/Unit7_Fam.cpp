#include "screens/Unit7_Fam.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/QuestionScreen.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit2_House.h"
#include "screens/Unit3_Eff.h"
#include "screens/Unit4_Intrest.h"
#include "screens/Unit5_Love.h"
#include "screens/Unit6_Treb.h"
#include "screens/Unit_Psychology1.h"
#include "screens/Unit_Vveden.h"
#include "storage/StatisticsFile.h"
#include "widgets/GlassButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

const ScreenFrame Frame{QStringLiteral("Form7_Fam"), QString(), QSize(1132, 760),
                        ScreenFrame::Border::None};

constexpr quint32 ExitShine = 255; // red
constexpr QSize SurnameBoxSize(465, 45);
constexpr QSize ExitButtonSize(289, 54);

// The busy cursor over every window of the program while a save waits for another
// workstation's save, taken back however the save ends.
class BusyCursor
{
public:
    BusyCursor() = default;
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor()
    {
        if (m_shown)
            QApplication::restoreOverrideCursor();
    }
    void show()
    {
        if (m_shown)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }

private:
    bool m_shown = false;
};

// A key press that the platform delivers as a typed character: printable text, and also
// Backspace, Enter, Esc and Ctrl+letter, but not the arrows, Shift or the function keys.
bool typesACharacter(const QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        return !key->text().isEmpty() || key->key() == Qt::Key_Backspace;
    }
    if (event->type() == QEvent::InputMethod)
        return !static_cast<const QInputMethodEvent*>(event)->commitString().isEmpty();
    return false;
}

} // namespace

TForm7_Fam::TForm7_Fam(SurveyRun& run) : Screen(run, Frame)
{
    Shader1 = addShader(this);

    sLabelFX3 = addWhiteLine(Shader1, QStringLiteral("sLabelFX3"),
                             QStringLiteral("Вы успешно прошли тестирование"), 40, 230, 70);
    sLabelFX3->hide();
    sLabelFX1 = addWhiteLine(Shader1, QStringLiteral("sLabelFX1"),
                             QStringLiteral("Просьба ввести свою фамилию для выдачи кода ученика:"),
                             30, 168, 50);
    sLabelFX2 = addWhiteLine(Shader1, QStringLiteral("sLabelFX2"),
                             QStringLiteral("(Указывать имя и отчество не надо.)"), 24, 220, 40);

    Edit1 = new QLineEdit(Shader1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(screenFont(QStringLiteral("Arial"), 28));
    Edit1->setGeometry((width() - SurnameBoxSize.width()) / 2, 290, SurnameBoxSize.width(),
                       SurnameBoxSize.height());
    setBackgroundColor(Edit1, Qt::white);
    setTextColor(Edit1, Qt::black);
    Edit1->setTextMargins(10, 0, 10, 0);
    Edit1->installEventFilter(this);

    AdvGlassButton1 = new GlassButton(QStringLiteral("Нажмите для выхода"), Shader1);
    AdvGlassButton1->setObjectName(QStringLiteral("AdvGlassButton1"));
    AdvGlassButton1->setFont(screenFont(QStringLiteral("Arial"), 22));
    setTextColor(AdvGlassButton1, Qt::white);
    AdvGlassButton1->setGeometry((width() - ExitButtonSize.width()) / 2, 430,
                                 ExitButtonSize.width(), ExitButtonSize.height());
    AdvGlassButton1->setEnabled(false);
    on(AdvGlassButton1, &QPushButton::clicked, [this] { AdvGlassButton1Click(); });

    sLabelFX4 = addWhiteLine(Shader1, QStringLiteral("sLabelFX4"),
                             QStringLiteral("Время тестирования"), 19, 600, 30);

    Edit2 = new QLineEdit(Shader1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAlignment(Qt::AlignCenter);
    Edit2->setFont(screenFont(QStringLiteral("Tahoma"), 16));
    Edit2->setGeometry((width() - 80) / 2, 634, 80, 28);
    Edit2->setReadOnly(true); // overwritten every second anyway
    Edit2->setFocusPolicy(Qt::NoFocus);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    on(Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
    Timer1->start();
}

void TForm7_Fam::FormActivate()
{
    run().Form_Psychology1->hide();
    // The roster path needs a real name: a blank pick leaves RosterLoaded 0, and a surname
    // that is all blanks is no name either.
    if (run().state.RosterLoaded == 1 && !run().state.Surname.trimmed().isEmpty()) {
        enableExit();
        sLabelFX3->show();
        sLabelFX2->hide();
        sLabelFX1->hide();
        Edit1->hide();
        return;
    }
    sLabelFX3->hide();
    sLabelFX2->show();
    sLabelFX1->show();
    Edit1->setVisible(run().state.Surname.isEmpty());
    if (Edit1->isVisible())
        Edit1->setFocus();
}

void TForm7_Fam::Edit1KeyPress()
{
    enableExit();
}

void TForm7_Fam::enableExit()
{
    AdvGlassButton1->setEnabled(true);
    AdvGlassButton1->setShineColor(windowsColor(ExitShine));
}

bool TForm7_Fam::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && typesACharacter(event))
        run().handle([this] { Edit1KeyPress(); });
    return Screen::eventFilter(watched, event);
}

void TForm7_Fam::Timer1Timer()
{
    // Set twice on purpose: "0" first, then the time. So the text changes on every tick, also
    // when the time reads as before (a hidden screen before the test began, or a frozen clock),
    // and whatever follows the box's text (its change signal, assistive tools) sees each tick
    // as the program has always shown it.
    Edit2->setText(QStringLiteral("0"));
    Edit2->setText(QuestionScreen::testTimeText(run()));
}

void TForm7_Fam::AdvGlassButton1Click()
{
    // The "Не реальное значение!" box opens in the middle of a save: a press that arrives then,
    // or after the record is written, must not append the record a second time.
    if (m_save != Save::NotYet)
        return;
    m_save = Save::UnderWay;
    SurveyRun& survey = run();
    // An unreal number ends the program, but only once the record is written: a save that
    // fails after the message must leave the pupil a second try instead of ending without a
    // record.
    bool unrealValue = false;
    StatisticsFile::SaveOptions options;
    options.workingFolder = survey.environment().workingFolder;
    options.reportUnrealValue = [&survey, &unrealValue] {
        survey.showMessage(QStringLiteral("Не реальное значение!"));
        unrealValue = true;
    };
    options.lockTimeoutMs = survey.environment().saveLockTimeoutMs;
    options.phaseHook = survey.environment().savePhaseHook;
    try {
        // Gone before an error box opens or the screens close.
        BusyCursor busy;
        options.waitingForLock = [&busy] { busy.show(); };
        StatisticsFile::saveRecord(survey.state, Edit1->text(), survey.clock(), options);
    } catch (...) {
        m_save = Save::NotYet; // nothing was written: the pupil may press again
        throw;                 // the error box says why
    }
    m_save = Save::Done;
    if (unrealValue)
        survey.Terminate();
    closeTheScreens();
}

void TForm7_Fam::closeTheScreens()
{
    SurveyRun& survey = run();
    Screen* const order[] = {
        survey.Form_Vveden,   survey.Form1_Ball, survey.Form2_House, survey.Form3_Eff,
        survey.Form4_Intrest, survey.Form5_Love, survey.Form6_Treb,  this};
    for (Screen* screen : order)
        screen->closeByProgram();
}
