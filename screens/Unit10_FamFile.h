#pragma once

#include "app/Screen.h"

class ButtonCellGrid;
class GlassButton;
class GradientPanel;
class QLineEdit;
class ShadowLabel;

// Form_FamFile: the pupil picks the surname from the class roster. Each time the screen becomes
// active it reads the roster workbook of the working folder into its grid and into the four
// choice grids of the classmate screen; when the workbook has gone it passes on to the quarter
// grades screen. A pressed name is the surname of the record; a pressed row without a name picks
// nobody, so the finish screen asks for the surname. A workbook that cannot be read is reported
// once in the run; the grid keeps what it held and its rows can still be pressed to go on.
class TForm_FamFile : public Screen
{
    Q_OBJECT

public:
    explicit TForm_FamFile(SurveyRun& run);

    void FormActivate() override;
    void FormClose() override {} // closing only hides the window
    void AdvStringGrid1ButtonClick(int col, int row);
    void AdvGlassButton1Click();

    // The class screen's Continue: a name picked from another workbook than this one (another
    // class, or a class without a roster) is forgotten, so that no record carries a name from
    // the wrong class; a pick from this same workbook stays.
    void forgetPickUnlessFrom(const QString& workbookName);

    GradientPanel* Shader1;
    ShadowLabel* sLabelFX3;
    ButtonCellGrid* AdvStringGrid1;
    QLineEdit* Edit1;
    GlassButton* AdvGlassButton1;

private:
    // The surname box of the finish screen, which shows the picked name too.
    QLineEdit* finishSurnameBox() const;
    // No name is picked: the finish screen asks for the surname.
    void clearPick();

    bool m_readingFailureReported = false;
    QString m_pickedFrom; // the workbook of the name picked, empty when none is
};
