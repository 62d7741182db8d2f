// The platform layer that stands in for the Windows user interface: modal display, activation,
// ending the program and the error wrapper of the handlers.

#include "app/Screen.h"
#include "state/SurveyError.h"
#include "support/Controls.h"
#include "support/Files.h"
#include "support/TestRun.h"

#include <QPushButton>

namespace {

// A screen that counts what the platform did to it.
class Probe : public Screen
{
public:
    Probe(SurveyRun& run, const QString& name, bool closeEnds = true)
        : Screen(run, {name, name, QSize(300, 200)}), m_closeEnds(closeEnds)
    {
        button = new QPushButton(QStringLiteral("press"), this);
        button->setObjectName(QStringLiteral("Button1"));
        on(button, &QPushButton::clicked, [this] { onPress(); });
    }

    void FormShow() override { ++shows; }
    void FormActivate() override { ++activations; }
    void FormClose() override
    {
        ++closes;
        if (m_closeEnds)
            Screen::FormClose();
    }

    QPushButton* button;
    std::function<void()> onPress = [] {};
    int shows = 0;
    int activations = 0;
    int closes = 0;

private:
    bool m_closeEnds;
};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modalDisplayDisablesTheWindowsVisibleAndEnabledAtThatMoment()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B", false), c(run, "C"), d(run, "D", false),
            hidden(run, "Hidden");
        QStringList ended;

        run.showScreen(&a);
        run.showModal(&b, [&] { ended << "B"; });
        QVERIFY(!a.isEnabled());
        QVERIFY(b.isEnabled());
        QVERIFY(hidden.isEnabled());

        run.showScreen(&c); // shown later: not affected by B's display
        QVERIFY(c.isEnabled());
        run.showModal(&d, [&] { ended << "D"; });
        QVERIFY(!a.isEnabled());
        QVERIFY(!b.isEnabled());
        QVERIFY(!c.isEnabled());

        d.close(); // D's display ends: B and C come back, A stays under B's display
        QCOMPARE(ended, QStringList{"D"});
        QVERIFY(b.isEnabled());
        QVERIFY(c.isEnabled());
        QVERIFY(!a.isEnabled());

        b.closeByProgram();
        QCOMPARE(ended, (QStringList{"D", "B"}));
        QVERIFY(a.isEnabled());
    }

    void disabledWindowIgnoresItsCloseBox()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B");
        run.showScreen(&a);
        run.showModal(&b);

        a.close();
        QVERIFY(a.isVisible());
        QCOMPARE(a.closes, 0);
        QVERIFY(!test.ended());

        a.closeByProgram(); // the program itself may close it
        QVERIFY(!a.isVisible());
        QCOMPARE(a.closes, 1);
        QCOMPARE(test.endStatus(), 0);
    }

    void terminationEndsEveryModalDisplayAfterTheHandlerHasRun()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B"), c(run, "C");
        QStringList steps;
        run.showScreen(&a);
        run.showModal(&b, [&] { steps << "B ended"; });
        run.showModal(&c, [&] { steps << "C ended"; });

        c.onPress = [&] {
            run.Terminate();
            steps << "handler went on";
        };
        PRESS(&c, "Button1");

        // The displays end at the request, innermost first; the handler still runs to its end.
        QCOMPARE(steps, (QStringList{"C ended", "B ended", "handler went on"}));
        QVERIFY(a.isEnabled());
        QVERIFY(b.isEnabled());
        QVERIFY(run.terminationRequested());
        QCOMPARE(test.endStatus(), 0);

        const int activationsBefore = a.activations;
        c.closeByProgram();
        b.closeByProgram();
        QCOMPARE(a.activations, activationsBefore); // nothing is activated while ending
    }

    void screenIsActivatedWhenItComesOnTop()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B");

        run.showScreen(&a);
        QCOMPARE(a.shows, 1);
        QCOMPARE(a.activations, 1);
        run.showScreen(&a); // already on top: nothing new
        QCOMPARE(a.shows, 1);
        QCOMPARE(a.activations, 1);

        run.showScreen(&b);
        QCOMPARE(b.activations, 1);
        QCOMPARE(a.activations, 1);

        int activationsWhileOpen = -1;
        test.whileBoxOpen = [&](const MessageBoxRequest&) { activationsWhileOpen = b.activations; };
        run.showMessage(QStringLiteral("Не реальное значение!"));
        QCOMPARE(activationsWhileOpen, 1);
        QCOMPARE(b.activations, 2); // the box over it closed

        b.hide(); // the window above hides: the one below is active again
        QCOMPARE(a.activations, 2);
        QCOMPARE(run.windows().topWindow(), &a);
    }

    void comingBackFromAnotherProgramActivatesNothing()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A");
        run.showScreen(&a);
        QCOMPARE(a.activations, 1);

        // The window system activates the window again, as when the user switches back to it.
        a.windowHandle()->requestActivate();
        QCoreApplication::processEvents();
        QCOMPARE(a.activations, 1);
    }

    void windowShownOverADisabledOneIsActivatedButTheDisabledOneIsNot()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B"), c(run, "C");
        run.showScreen(&a);
        run.showModal(&b);
        run.showScreen(&c);
        QCOMPARE(c.activations, 1);

        // C goes, B is on top and enabled again; A, under B's display, is never activated.
        c.hide();
        QCOMPARE(b.activations, 2);
        QCOMPARE(a.activations, 1);
    }

    // The roster workbooks are looked for in the run's working folder, not in the process's
    // current folder; only a regular file counts.
    void filesAreLookedForInTheRunsWorkingFolder()
    {
        TestRun test;
        SurveyRun run(test.environment());
        QVERIFY(QDir::current() != QDir(test.folder()));
        QVERIFY(files::writeBytes(test.path(QStringLiteral("8А.xls")), "x"));
        QVERIFY(QDir(test.folder()).mkdir(QStringLiteral("9Б.xls")));
        QVERIFY(run.existsInWorkingFolder(QStringLiteral("8А.xls")));
        QVERIFY(!run.existsInWorkingFolder(QStringLiteral("9Б.xls")));
        QVERIFY(!run.existsInWorkingFolder(QStringLiteral("7В.xls")));
        QVERIFY(!run.existsInWorkingFolder(QString()));
        QCOMPARE(run.workingPath(QStringLiteral("8А.xls")), test.path(QStringLiteral("8А.xls")));
    }

    void errorInAHandlerIsShownAndTheProgramGoesOn()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A");
        run.showScreen(&a);
        int pressesFinished = 0;
        a.onPress = [&] {
            throw SurveyError(QStringLiteral("Invalid filename"));
            ++pressesFinished;
        };

        PRESS(&a, "Button1");
        PRESS(&a, "Button1");
        QCOMPARE(test.boxTexts(), (QStringList{"Invalid filename", "Invalid filename"}));
        QCOMPARE(test.boxes().front().kind, MessageBoxRequest::Kind::Error);
        QCOMPARE(test.boxes().front().title, QStringLiteral("Программа ввода данных"));
        QCOMPARE(pressesFinished, 0);
        QVERIFY(!run.terminationRequested());
        QVERIFY(a.isVisible());
        QCOMPARE(a.activations, 3); // active again after each box
    }

    void errorInAModalContinuationIsShownToo()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B");
        run.showScreen(&a);
        run.showModal(&b, [] { throw std::runtime_error("Disk full"); });
        b.closeByProgram();
        QCOMPARE(test.boxTexts(), QStringList{"Disk full"});
    }

    void closingAWindowThatOnlyHidesBringsTheOneBelowBack()
    {
        TestRun test;
        SurveyRun run(test.environment());
        Probe a(run, "A"), b(run, "B", false);
        run.showScreen(&a);
        run.showScreen(&b);
        b.close();
        QVERIFY(!b.isVisible());
        QCOMPARE(b.closes, 1);
        QVERIFY(!run.terminationRequested());
        QCOMPARE(run.windows().topWindow(), &a);
        QCOMPARE(a.activations, 2);

        run.showScreen(&b); // shown again by the program: its show handler runs again
        QCOMPARE(b.shows, 2);
    }
};

SURVEY_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
