#pragma once

#include "app/Screen.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;
class ShadowLabel;

// Two arrow buttons, up above down.
class SpinButtonPair : public QWidget
{
    Q_OBJECT

public:
    explicit SpinButtonPair(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }
    // The arrows have no caption: assistive tools read "<what>: больше" and "<what>: меньше".
    void setAccessibleNames(const QString& what);

Q_SIGNALS:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

// An up-down spinner whose position is shown in a partner edit box, as the platform's up-down
// control with an associated edit: a step first reports changing(), then moves the position one
// step within the range and writes it into the partner. A position set by the program is taken
// as it is (the range applies to the steps) and written into the partner too.
class UpDownSpinner : public SpinButtonPair
{
    Q_OBJECT

public:
    explicit UpDownSpinner(QWidget* parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int position() const { return m_position; }
    void setMinimum(int minimum) { m_minimum = minimum; }
    void setMaximum(int maximum) { m_maximum = maximum; }
    void setPosition(int position);
    void setPartner(QLineEdit* partner);

    // One step up (+1) or down (-1), as a press of an arrow does.
    void step(int direction);

Q_SIGNALS:
    void changing();

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
    QLineEdit* m_partner = nullptr;
};

// FormMarkPM: a trial window for grades with tenths (2.0 to 5.0) with several kinds of input
// side by side. It stores nothing; closing it only hides it. The track bar works in tenths: its
// positions 20 … 50 stand for 2.0 … 5.0.
class TFormMarkPM : public Screen
{
    Q_OBJECT

public:
    explicit TFormMarkPM(SurveyRun& run);

    void FormClose() override {} // closing only hides the window

    static constexpr int TrackBarScale = 10;
    double trackBarPosition() const;

    void AdvSmoothTrackBar4PositionChanging(double position);
    void ScrollBarAlgChange();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void Button1Click();
    void Button1MouseUp() { Button1Click(); }
    void Button2Click();
    void Button2MouseUp() { Button2Click(); }
    void sUpDown1Changing() { Edit2Change(); }
    void Edit2Change();

    // A number as this window shows it: up to 15 significant digits, the system's decimal
    // separator, no trailing zeros (4.0 is "4", 3.5 is "3,5" in Russian).
    QString decimalText(double value) const;

    QSlider* AdvSmoothTrackBar4;
    QLineEdit* Edit1;
    QScrollBar* ScrollBarAlg;
    UpDownSpinner* sUpDown1;
    QLineEdit* Edit2;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
    SpinButtonPair* SpinButton1;
    QProgressBar* AdvProgressBar3;
    QProgressBar* AdvProgress1;
    QProgressBar* AdvProgressBar1;
    QScrollBar* PropScrollbar1;
    ShadowLabel* sLabelFX3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
