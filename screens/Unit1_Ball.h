#pragma once

#include "screens/ScaleScreen.h"

class QLabel;

// Form1_Ball: the grades of the last quarter. Showing it starts the test clock; while the
// pointer is over the grade buttons of the first row, the hint bar says what the grade means.
class TForm1_Ball : public ScaleScreen
{
    Q_OBJECT

public:
    explicit TForm1_Ball(SurveyRun& run);

    // Stores GradesSeconds and GradesAnswer, then shows the homework screen modally; this
    // screen closes when that display ends.
    void AdvGlassButton1Click() override;

    // The pointer over the empty part of the button column: the hint bar goes.
    void Panel2MouseMove();
    // The pointer over the subject names: the hint is cleared, the bar stays as it is.
    void Panel3MouseMove();

    QLabel* Panel5; // the hint bar under the banner

    // What the hint bar says over the button of this step in the first row.
    static QString gradeHint(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGradeHint(int step);
};
