#pragma once

#include "app/Composition.h"
#include "app/Environment.h"
#include "app/WindowStack.h"
#include "state/SurveyState.h"

#include <QList>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

class Screen;
class TForm_Vveden;
class TForm1_Ball;
class TForm2_House;
class TForm3_Eff;
class TForm4_Intrest;
class TForm5_Love;
class TForm6_Treb;
class TForm7_Fam;
class TForm8_Coord;
class TForm_Dop;
class TForm_Psychology1;
class TForm_FamFile;
class TFormMarkPM;

// One run of the program: the survey state of the one respondent and the thirteen screens that
// ask for it, with the services of the platform that the screens rely on (showing a screen on
// top, modal display, activation, message boxes, ending the program). The program builds one;
// a test builds a fresh one for each whole run. The program-wide instance names (Form1_Ball, …)
// are the members of the current run.
class SurveyRun
{
public:
    explicit SurveyRun(Environment environment);
    ~SurveyRun();
    SurveyRun(const SurveyRun&) = delete;
    SurveyRun& operator=(const SurveyRun&) = delete;

    SurveyState state;

    TForm_Vveden* Form_Vveden = nullptr;
    TForm1_Ball* Form1_Ball = nullptr;
    TForm2_House* Form2_House = nullptr;
    TForm3_Eff* Form3_Eff = nullptr;
    TForm4_Intrest* Form4_Intrest = nullptr;
    TForm5_Love* Form5_Love = nullptr;
    TForm6_Treb* Form6_Treb = nullptr;
    TForm7_Fam* Form7_Fam = nullptr;
    TForm8_Coord* Form8_Coord = nullptr;
    TForm_Dop* Form_Dop = nullptr;
    TForm_Psychology1* Form_Psychology1 = nullptr;
    TForm_FamFile* Form_FamFile = nullptr;
    TFormMarkPM* FormMarkPM = nullptr;

    // Creates the screens once, hidden, as the composition creates them; the first one,
    // Form_Vveden, is the main window.
    void createScreens(const Composition& composition);
    // Every screen of this run, in the order of creation.
    const QList<Screen*>& screens() const { return m_screens; }
    Screen* mainWindow() const;

    const Environment& environment() const { return m_env; }
    const Clock& clock() const { return *m_env.clock; }
    const QLocale& locale() const { return m_env.locale; }

    // The working folder and the files in it (the existence test is replaceable in tests).
    QString workingPath(const QString& name) const;
    bool existsInWorkingFolder(const QString& name) const;

    // Shows the screen on top, active. A screen already on top stays as it is.
    void showScreen(Screen* screen);
    // Modal display: the windows visible and enabled now are disabled until the screen's window
    // closes or the program ends; then `whenEnded` runs. Windows shown later are not disabled.
    void showModal(Screen* screen, std::function<void()> whenEnded = {});
    bool isInModalDisplay(const Screen* screen) const;

    // Asks the program to end once the running handler has returned; the exit status is 0.
    void Terminate();
    bool terminationRequested() const { return m_terminationRequested; }

    // Message boxes over the active screen, titled "Программа ввода данных"; the screen under one
    // is activated again after it.
    void showError(const QString& text);
    void showMessage(const QString& text);

    // Runs a handler; an error it raises is shown in the error message box and the program goes
    // on. Every handler of every screen runs inside this.
    void handle(const std::function<void()>& handler);

    WindowStack& windows() { return m_windows; }

    // Called by Screen.
    void screenCreated(Screen* screen);
    void screenDestroyed(Screen* screen);
    void screenHidden(Screen* screen);
    void screenRaisedByUser(Screen* screen);

private:
    struct ModalDisplay
    {
        QPointer<Screen> window;
        std::vector<QPointer<QWidget>> disabled;
        std::function<void()> whenEnded;
    };

    void endModalDisplay(std::size_t index);
    void presentBox(MessageBoxRequest::Kind kind, const QString& text);
    void activate(QWidget* window);

    Environment m_env;
    WindowStack m_windows;
    QList<Screen*> m_screens;
    std::vector<ModalDisplay> m_modalDisplays;
    std::map<QWidget*, int> m_disabledCount;
    bool m_terminationRequested = false;
};
