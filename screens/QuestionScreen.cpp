#include "screens/QuestionScreen.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "widgets/GlassButton.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cmath>

namespace {
constexpr int BarWidth = 14;
constexpr quint32 TestTimeBoxColour = 14011579;
} // namespace

QuestionScreen::QuestionScreen(SurveyRun& run, const ScreenFrame& frame,
                               const FrameVariant& variant)
    : Screen(run, frame), m_variant(variant)
{
    const QSize size = frame.clientSize;

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(12, size.height() - 34, 45, 24);
    // Our substitute for Tahoma is wider than the original small type: at 11 pixels "59:59"
    // fits the box whole, centred, with room on both sides.
    Edit1->setFont(screenFont(QStringLiteral("Tahoma"), 11, false));
    Edit1->setAlignment(Qt::AlignCenter);
    setBackgroundColor(Edit1, windowsColor(TestTimeBoxColour));
    setTextColor(Edit1, Qt::black);

    Label24 = new QLabel(QStringLiteral("Время теста"), this);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setFont(screenFont(QStringLiteral("Tahoma"), 12));
    setTextColor(Label24, Qt::white);
    Label24->setGeometry(64, size.height() - 34, 110, 24);
    Label24->setVisible(variant.testTimeLabel);

    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->hide();

    AdvProgressBar1 = new SegmentedVerticalBar(this);
    AdvProgressBar1->setObjectName(QStringLiteral("AdvProgressBar1"));
    const int barHeight = variant.barHeight > 0 ? variant.barHeight : size.height();
    AdvProgressBar1->setGeometry(size.width() - BarWidth, 0, BarWidth, barHeight);
    AdvProgressBar1->setPosition(100);
    AdvProgressBar1->setVisible(variant.barShown);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    on(Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
    Timer1->start();
}

void QuestionScreen::FormShow()
{
    AdvProgressBar1->setPosition(100);
    if (m_variant.startsTestClock) {
        Edit1->setText(QStringLiteral("00:00"));
        SurveyState& state = run().state;
        state.TestStartTime = run().clock().now();
        state.TestStartSteadyMs = run().clock().steadyMs();
    } else {
        restartScreenClock();
    }
    applyShowRules();
}

void QuestionScreen::restartScreenClock()
{
    ScreenStartTime = run().clock().now();
    m_screenStartSteadyMs = run().clock().steadyMs();
}

void QuestionScreen::Timer1Timer()
{
    // Set twice on purpose: "0" first, then the time. So the text changes on every tick, also
    // when the time reads as before (a hidden screen before the test began, or a frozen clock),
    // and whatever follows the box's text (its change signal, assistive tools) sees each tick
    // as the program has always shown it.
    Edit1->setText(QStringLiteral("0"));
    Edit1->setText(testTimeText(run(), m_variant.timeSeparator));
    Edit3->setText(QStringLiteral("%1").arg(DateTime::secondsOfMinute(screenElapsedMs()), 2, 10,
                                            QLatin1Char('0')));
    AdvProgressBar1->setPosition(barPosition(Edit3->text().toInt()));
}

qint64 QuestionScreen::screenElapsedMs() const
{
    const SurveyState& state = run().state;
    const Clock& clock = run().clock();
    if (m_variant.startsTestClock) {
        if (state.TestStartTime == 0)
            return DateTime::toMs(clock.now());
        return clock.steadyMs() - state.TestStartSteadyMs;
    }
    if (ScreenStartTime == 0)
        return DateTime::toMs(clock.now()); // not shown yet: nothing of it is visible
    return clock.steadyMs() - m_screenStartSteadyMs;
}

QString QuestionScreen::testTimeText(const SurveyRun& run, QChar separator)
{
    const SurveyState& state = run.state;
    const Clock& clock = run.clock();
    // Before the quarter grades screen has set TestStartTime a hidden screen formats the current
    // time itself; nothing of that is ever visible or stored.
    const qint64 elapsed = state.TestStartTime == 0 ? DateTime::toMs(clock.now())
                                                    : clock.steadyMs() - state.TestStartSteadyMs;
    return DateTime::minutesSeconds(elapsed, separator);
}

int QuestionScreen::barPosition(int secondsOfMinute)
{
    const long double factor = 1.6666666666666667L;
    return static_cast<int>(std::lround(100.0L - secondsOfMinute * factor));
}

GlassButton* QuestionScreen::addContinueButton(const QString& objectName, QSize size,
                                               int fontPixels)
{
    auto* button = new GlassButton(this);
    button->setObjectName(objectName);
    button->setText(QStringLiteral("ПРОДОЛЖИТЬ"));
    button->setFont(screenFont(QStringLiteral("Arial"), fontPixels));
    setTextColor(button, Qt::white);
    button->resize(size);
    button->move((width() - size.width()) / 2, height() - size.height() - 8);
    button->hide();
    return button;
}
