#pragma once

#include "app/Screen.h"

class QLabel;
class QLineEdit;
class QTimer;
class GlassButton;
class SegmentedVerticalBar;

// Where a question screen's frame differs from the usual one.
struct FrameVariant
{
    QChar timeSeparator = QLatin1Char(':'); // the quarter grades screen uses a full stop
    bool barShown = true;
    bool testTimeLabel = true; // "Время теста" beside the test-time box
    // The quarter grades screen has no start of its own: showing it starts the test clock
    // (TestStartTime, and "00:00" in its box), and its bar counts from there.
    bool startsTestClock = false;
    int barHeight = 0; // 0: the full height of the screen
};

// The frame around every question screen: the total test time in Edit1, a bar along the right
// edge that empties over each minute spent on the screen, a one-second timer that runs from the
// screen's creation on (also while it is hidden), and closing the window ends the program.
// Elapsed times are measured on the steady clock, so a clock change during the test cannot
// make them negative or an hour long.
class QuestionScreen : public Screen
{
    Q_OBJECT

public:
    QuestionScreen(SurveyRun& run, const ScreenFrame& frame, const FrameVariant& variant = {});

    void FormShow() override;
    void Timer1Timer();

    // The date-time this screen was shown (or its current question began), 0 until then.
    double ScreenStartTime = 0;

    QTimer* Timer1;
    QLineEdit* Edit1;
    QLabel* Label24;
    QLineEdit* Edit3;
    SegmentedVerticalBar* AdvProgressBar1;

    // The test time as the total-time boxes show it: minutes of the hour and seconds.
    static QString testTimeText(const SurveyRun& run, QChar separator = QLatin1Char(':'));
    // The bar position for s seconds within the current minute: Round(100 - s * 5/3).
    static int barPosition(int secondsOfMinute);

protected:
    // The screen's own rules when it is shown (class rules of the subject rows).
    virtual void applyShowRules() {}
    // ScreenStartTime := now, with the steady time taken at the same moment.
    void restartScreenClock();
    // The glass "ПРОДОЛЖИТЬ" button at the bottom centre, hidden until the screen is answered.
    GlassButton* addContinueButton(const QString& objectName, QSize size, int fontPixels);

private:
    qint64 screenElapsedMs() const;

    FrameVariant m_variant;
    qint64 m_screenStartSteadyMs = 0;
};
