// The class and gender screen: the three questions revealed one after another, what Continue
// stores, and where it leads with and without a roster workbook for the class.

#include "Keyboard.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit8_Coord.h"
#include "support/Controls.h"
#include "support/TestRun.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace {

// The run with the class and gender screen open, as after the introduction's "Продолжить".
Screen* openClassScreen(TestRun& test)
{
    SurveyRun& run = test.start();
    QTest::mouseClick(NEED(QAbstractButton, run.mainWindow(), "AdvGlassButton1"), Qt::LeftButton);
    Screen* coord = test.screen("Form8_Coord");
    if (!coord->isVisible())
        qFatal("the introduction did not open the class screen");
    return coord;
}

bool seen(const QWidget* root, const char* name)
{
    return controls::seen(NEED_NAMED(QWidget, root, QString::fromLatin1(name)));
}

QString text(const QWidget* root, const char* name)
{
    return NEED_NAMED(QLabel, root, QString::fromLatin1(name))->text();
}

void createEmptyFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestClassGender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stagesAreRevealedInOrder()
    {
        TestRun test;
        Screen* coord = openClassScreen(test);
        QCOMPARE(coord->windowTitle(), QStringLiteral("Координаты"));
        QCOMPARE(text(coord, "Label1"), QStringLiteral("Введите номер класса"));
        QCOMPARE(text(coord, "Label3"), QStringLiteral("(Нажмите соответствующую кнопку)"));
        coord->grab().save(QDir::temp().filePath("survey-coord-class.png"));

        // class stage: only the class buttons
        QVERIFY(seen(coord, "Panel3"));
        for (const char* hidden : {"Label2", "Panel4", "Label6", "Panel1", "Panel5", "Panel6",
                                   "Panel2", "AdvGlassButton1", "Button19"})
            QVERIFY2(!seen(coord, hidden), hidden);

        PRESS(coord, "Button8");
        QVERIFY(seen(coord, "Label2") && seen(coord, "Panel4") && seen(coord, "Panel5"));
        QCOMPARE(text(coord, "Label2"), QStringLiteral("Введите поток класса"));
        QCOMPARE(text(coord, "Label4"), QStringLiteral("8"));
        for (const char* hidden : {"Label6", "Panel1", "Panel6", "Panel2", "AdvGlassButton1"})
            QVERIFY2(!seen(coord, hidden), hidden);

        PRESS(coord, "Button13");
        QVERIFY(seen(coord, "Label6") && seen(coord, "Panel1") && seen(coord, "Panel6"));
        QCOMPARE(text(coord, "Label6"), QStringLiteral("Выберите пол"));
        QCOMPARE(text(coord, "Label5"), QStringLiteral("Б"));
        QVERIFY(!seen(coord, "Panel2"));
        QVERIFY2(!seen(coord, "AdvGlassButton1"), "Continue before a gender");

        PRESS(coord, "Button21");
        QVERIFY(seen(coord, "Panel2") && seen(coord, "AdvGlassButton1"));
        QCOMPARE(text(coord, "Label7"), QStringLiteral("Женский"));
        QCOMPARE(test.run().state.GenderCode, QStringLiteral("0           "));
        QVERIFY(!seen(coord, "Button19"));
        coord->grab().save(QDir::temp().filePath("survey-coord-ready.png"));

        // Every button can be pressed again; nothing is hidden again.
        PRESS(coord, "Button20");
        QCOMPARE(test.run().state.GenderCode, QStringLiteral("1           "));
        QCOMPARE(text(coord, "Label7"), QStringLiteral("Мужской"));
        PRESS(coord, "Button5");
        QCOMPARE(text(coord, "Label4"), QStringLiteral("5"));
        for (const char* shown :
             {"Panel3", "Panel4", "Panel1", "Panel5", "Panel6", "Panel2", "AdvGlassButton1"})
            QVERIFY2(seen(coord, shown), shown);
    }

    void buttonsAndCaptions()
    {
        TestRun test;
        Screen* coord = openClassScreen(test);
        for (int n = 1; n <= 11; ++n) {
            auto* button = NEED_NAMED(QAbstractButton, coord, QStringLiteral("Button%1").arg(n));
            QCOMPARE(button->text(), QString::number(n));
            QCOMPARE(button->isEnabled(), n >= 5);
            QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("Panel3"));
        }
        const QStringList streams{"А", "Б", "В", "Г", "Д", "Е", "Другое"};
        for (int i = 0; i < streams.size(); ++i) {
            auto* button =
                NEED_NAMED(QAbstractButton, coord, QStringLiteral("Button%1").arg(12 + i));
            QCOMPARE(button->text(), streams[i]);
            QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("Panel4"));
        }
        QCOMPARE(NEED(QAbstractButton, coord, "Button20")->text(), QStringLiteral("Мужской"));
        QCOMPARE(NEED(QAbstractButton, coord, "Button21")->text(), QStringLiteral("Женский"));
        QCOMPARE(NEED(QAbstractButton, coord, "AdvGlassButton1")->text(),
                 QStringLiteral("Продолжить"));
        QCOMPARE(NEED(QAbstractButton, coord, "Button19")->text(), QStringLiteral("Button19"));
        for (const char* panel : {"Panel3", "Panel4", "Panel1"})
            QCOMPARE(NEED_NAMED(QWidget, coord, QString::fromLatin1(panel))
                         ->palette()
                         .color(QPalette::Window),
                     QColor(39, 69, 88)); // 5784871
        QCOMPARE(NEED(QWidget, coord, "Shader1")->height(), 89);
        for (const char* box : {"Panel5", "Panel6", "Panel2"})
            QCOMPARE(
                NEED_NAMED(QWidget, coord, QString::fromLatin1(box))->parentWidget()->objectName(),
                QStringLiteral("Shader1"));
    }

    void disabledClassButtonsCannotBeChosen()
    {
        TestRun test;
        Screen* coord = openClassScreen(test);
        for (const char* name : {"Button1", "Button2", "Button3", "Button4"})
            QTest::mouseClick(NEED_NAMED(QAbstractButton, coord, QString::fromLatin1(name)),
                              Qt::LeftButton);
        QCOMPARE(text(coord, "Label4"), QString());
        QVERIFY(!seen(coord, "Panel4"));
    }

    // ClassNumber, ClassStream, the roster name looked for, and the statistics file it leads to.
    void continueStoresTheLastChoice_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("streamBox");
        QTest::addColumn<QString>("rosterName");
        QTest::addColumn<QString>("statisticsFile");
        QTest::newRow("7 then 9") << QStringList{"Button7", "Button9", "Button14", "Button20"}
                                  << "9"
                                  << "В"
                                  << "В"
                                  << "9В.xls"
                                  << "9В 0.17c";
        QTest::newRow("Б then Другое")
            << QStringList{"Button7", "Button13", "Button18", "Button20"} << "7"
            << "Б"
            << "др"
            << "7Б.xls"
            << "7Б 0.17c";
        QTest::newRow("only Другое") << QStringList{"Button11", "Button18", "Button21"} << "11"
                                     << ""
                                     << "др"
                                     << "11.xls"
                                     << "11 0.17c";
        QTest::newRow("Е then А") << QStringList{"Button10", "Button17", "Button12", "Button21"}
                                  << "10"
                                  << "А"
                                  << "А"
                                  << "10А.xls"
                                  << "10А 0.17c";
    }
    void continueStoresTheLastChoice()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, classNumber);
        QFETCH(QString, stream);
        QFETCH(QString, streamBox);
        QFETCH(QString, rosterName);
        QFETCH(QString, statisticsFile);
        TestRun test;
        Screen* coord = openClassScreen(test);
        for (const QString& name : presses)
            PRESS_NAMED(coord, name);
        QCOMPARE(text(coord, "Label5"), streamBox);
        QCOMPARE(test.run().state.ClassNumber, QString()); // only Continue copies the class
        PRESS(coord, "AdvGlassButton1");

        const SurveyState& state = test.run().state;
        QCOMPARE(state.ClassNumber, classNumber);
        QCOMPARE(state.ClassStream, stream);
        QCOMPARE(state.RosterWorkbookName, rosterName);
        QVERIFY(test.screen("Form1_Ball")->isVisible());

        // The statistics file is named from the same class and stream.
        auto* finish = qobject_cast<TForm7_Fam*>(test.screen("Form7_Fam"));
        test.run().showScreen(finish);
        typeText(finish->Edit1, QStringLiteral("Орлов"));
        SurveyState& answers = test.run().state;
        answers.GradesAnswer = answers.HomeworkAnswer = answers.DistractionAnswer =
            answers.InterestAnswer = QString(120, QLatin1Char('5'));
        answers.ExtraAnswer = QString(60, QLatin1Char('3'));
        answers.FavouriteTeachersAnswer = answers.DemandingTeachersAnswer =
            QString(36, QLatin1Char('1'));
        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList());
        QVERIFY2(QFile::exists(test.path(QStringLiteral("STAT/") + statisticsFile)),
                 qPrintable(QDir(test.path("STAT")).entryList().join(QLatin1Char('|'))));
    }

    void rosterWorkbookInTheWorkingFolderLeadsToTheRosterScreen_data()
    {
        QTest::addColumn<bool>("workbookThere");
        QTest::newRow("8А.xls there") << true;
        QTest::newRow("no workbook") << false;
    }
    void rosterWorkbookInTheWorkingFolderLeadsToTheRosterScreen()
    {
        QFETCH(bool, workbookThere);
        TestRun test;
        if (workbookThere)
            createEmptyFile(test.path(QStringLiteral("8А.xls")));
        createEmptyFile(test.path(QStringLiteral("8Б.xls"))); // another stream's roster
        Screen* coord = openClassScreen(test);
        PRESS(coord, "Button8");
        PRESS(coord, "Button12");
        PRESS(coord, "Button20");
        PRESS(coord, "AdvGlassButton1");

        QCOMPARE(test.screen("Form_FamFile")->isVisible(), workbookThere);
        QCOMPARE(test.screen("Form1_Ball")->isVisible(), !workbookThere);
        QVERIFY(coord->isVisible()); // stays open underneath
        QCOMPARE(test.run().windows().topWindow(),
                 test.screen(workbookThere ? "Form_FamFile" : "Form1_Ball"));
        QCOMPARE(test.run().state.RosterWorkbookName, QStringLiteral("8А.xls"));
    }

    // A name picked from the roster of one class must not reach the record of another.
    void aClassWithoutRosterForgetsANamePickedFromAnotherRoster()
    {
        TestRun test;
        createEmptyFile(test.path(QStringLiteral("8А.xls")));
        Screen* coord = openClassScreen(test);
        PRESS(coord, "Button8");
        PRESS(coord, "Button12");
        PRESS(coord, "Button20");
        PRESS(coord, "AdvGlassButton1");
        Screen* roster = test.screen("Form_FamFile");
        QVERIFY(roster->isVisible());

        // What the roster screen does when it becomes active and a name is pressed.
        auto* finish = qobject_cast<TForm7_Fam*>(test.screen("Form7_Fam"));
        SurveyState& state = test.run().state;
        state.RosterLoaded = 1;
        finish->Edit1->setText(QStringLiteral("Иванов Пётр "));
        state.Surname = finish->Edit1->text();

        roster->close(); // only hides: the class screen is in front again
        QCOMPARE(test.run().windows().topWindow(), coord);
        PRESS(coord, "Button9");
        PRESS(coord, "AdvGlassButton1");
        QVERIFY(test.screen("Form1_Ball")->isVisible());
        QCOMPARE(state.ClassNumber, QStringLiteral("9"));
        QCOMPARE(state.RosterLoaded, 0);
        QCOMPARE(state.Surname, QString());
        QCOMPARE(finish->Edit1->text(), QString());

        // The finish screen therefore asks for the surname.
        test.run().showScreen(finish);
        QVERIFY(controls::seen(finish->Edit1));
        QVERIFY(!NEED(QAbstractButton, finish, "AdvGlassButton1")->isEnabled());
        QVERIFY(!seen(finish, "sLabelFX3"));
    }

    void closingTheWindowEndsTheProgramWithoutARecord()
    {
        TestRun test;
        Screen* coord = openClassScreen(test);
        PRESS(coord, "Button8");
        coord->close();
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
        QVERIFY(QDir(test.path("STAT")).entryList(QDir::Files).isEmpty());
    }

    void hiddenButton19ShowsTheGradeRefinementForm()
    {
        TestRun test;
        Screen* coord = openClassScreen(test);
        NEED(QAbstractButton, coord, "Button19")->click(); // as a trial build would
        Screen* mark = test.screen("FormMarkPM");
        QVERIFY(mark->isVisible());
        QVERIFY(mark->isEnabled());
        QCOMPARE(test.run().windows().topWindow(), mark);
    }
};

SURVEY_TEST_MAIN(TestClassGender)
#include "tst_classgender.moc"
