// The favourite and the demanding teachers screens: the shared toggle of three marks, the class
// rules, and what each screen's Continue stores and where it leads.

#include "screens/TeacherChoiceScreen.h"
#include "state/SubjectCatalogue.h"
#include "support/Controls.h"
#include "support/TestRun.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace {

using Presses = QList<int>; // subject numbers, pressed in this order

TeacherChoiceScreen* teacherScreen(TestRun& test, const QString& instance)
{
    auto* screen = qobject_cast<TeacherChoiceScreen*>(test.screen(qPrintable(instance)));
    if (!screen)
        qFatal("%s is not a teacher screen", qPrintable(instance));
    return screen;
}

// The button of a subject as the designer named it.
const char* buttonName(int number)
{
    for (const TeacherChoiceScreen::SubjectRow& row : TeacherChoiceScreen::subjectRows())
        if (row.number == number)
            return row.button;
    qFatal("no subject %d", number);
}

QString codes(std::initializer_list<const char*> places)
{
    QString text;
    for (const char* code : places)
        text += QString::fromLatin1(code).leftJustified(12, QLatin1Char(' '));
    return text;
}

QLabel* counter(QWidget* screen)
{
    return NEED(QLabel, screen, "Label22");
}

// The screen shown for a class, as the additional areas screen leads to it.
TeacherChoiceScreen* open(TestRun& test, const QString& instance, const QString& classNumber)
{
    SurveyRun& run = test.start();
    run.state.ClassNumber = classNumber;
    run.showScreen(test.screen("Form1_Ball")); // the test clock starts here
    TeacherChoiceScreen* screen = teacherScreen(test, instance);
    run.showScreen(screen);
    return screen;
}

bool pressAll(QWidget* screen, const Presses& presses)
{
    for (int number : presses) {
        auto* button = NEED_NAMED(QAbstractButton, screen, QString::fromLatin1(buttonName(number)));
        if (!controls::press(button, __FILE__, __LINE__))
            return false;
    }
    return true;
}

void createEmptyFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestTeachers : public QObject
{
    Q_OBJECT

private:
    // Each row is run on both screens: the toggle is the same.
    static void forBothScreens(const char* row, const QString& classNumber, const Presses& presses,
                               const QString& choice, int count)
    {
        for (const char* screen : {"Form5_Love", "Form6_Treb"})
            QTest::addRow("%s: %s", screen, row)
                << QString::fromLatin1(screen) << classNumber << presses << choice << count;
    }

private Q_SLOTS:
    void toggle_data()
    {
        using namespace SubjectCatalogue;
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QString>("choice"); // ChoiceCodes joined
        QTest::addColumn<int>("count");

        forBothScreens("history, informatics, physics", "7", {History, Informatics, Physics},
                       codes({"4", "10", "2"}), 3);
        forBothScreens("unmarked history gives way to geography", "8",
                       {Algebra, History, Biology, History, Geography}, codes({"1", "5", "9"}), 3);
        forBothScreens("a fourth subject changes nothing", "8",
                       {Algebra, History, Biology, Geography}, codes({"1", "4", "5"}), 3);
        forBothScreens("a marked one pressed again with three", "8",
                       {Algebra, History, Biology, History}, codes({"1", "5"}), 2);
        forBothScreens("informatics marked, unmarked, marked again", "9",
                       {Informatics, Informatics, Informatics}, codes({"10"}), 1);
        forBothScreens("chemistry, biology, history", "8", {Chemistry, Biology, History},
                       codes({"3", "5", "4"}), 3);
        forBothScreens("the first mark taken back", "11", {Russian, Literature, Russian, Algebra},
                       codes({"7", "1"}), 2);
        forBothScreens("class 5: eight subjects", "5",
                       {ForeignLanguage, Literature, Russian, Literature, Algebra},
                       codes({"6", "8", "1"}), 3);
    }
    void toggle()
    {
        QFETCH(QString, screen);
        QFETCH(QString, classNumber);
        QFETCH(Presses, presses);
        QFETCH(QString, choice);
        QFETCH(int, count);
        TestRun test;
        TeacherChoiceScreen* teachers = open(test, screen, classNumber);
        QVERIFY(pressAll(teachers, presses));

        QCOMPARE(teachers->ChoiceCodes.join(QString()), choice);
        QCOMPARE(teachers->ChoiceCodes.size(), count);
        QCOMPARE(teachers->MarkedCount, count);
        QCOMPARE(counter(teachers)->text(), QStringLiteral("отмечено %1").arg(count));
        QCOMPARE(counter(teachers)->palette().color(QPalette::WindowText),
                 count == 3 ? QColor(Qt::red) : QColor(Qt::black));
        QCOMPARE(controls::seen(NEED(QAbstractButton, teachers, "Button100")), count == 3);

        // Marked are exactly the subjects whose codes were kept: their captions and marks say so.
        for (const TeacherChoiceScreen::SubjectRow& row : TeacherChoiceScreen::subjectRows()) {
            const bool marked = teachers->ChoiceCodes.contains(
                QString::number(row.number).leftJustified(12, QLatin1Char(' ')));
            const QString caption = SubjectCatalogue::teacherCaption(row.number);
            QCOMPARE(NEED_NAMED(QAbstractButton, teachers, QString::fromLatin1(row.button))->text(),
                     marked ? caption + QStringLiteral(" отмечено") : caption);
            QCOMPARE(
                controls::seen(NEED_NAMED(QLabel, teachers, QString::fromLatin1(row.markLabel))),
                marked);
        }
    }

    void classRulesHidePhysicsAndChemistry_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<bool>("physics");
        QTest::addColumn<bool>("chemistry");
        for (const char* screen : {"Form5_Love", "Form6_Treb"}) {
            const QString name = QString::fromLatin1(screen);
            QTest::addRow("%s: class 5", screen) << name << "5" << false << false;
            QTest::addRow("%s: class 6", screen) << name << "6" << false << false;
            QTest::addRow("%s: class 7", screen) << name << "7" << true << false;
            QTest::addRow("%s: class 8", screen) << name << "8" << true << true;
            QTest::addRow("%s: class 11", screen) << name << "11" << true << true;
        }
    }
    void classRulesHidePhysicsAndChemistry()
    {
        QFETCH(QString, screen);
        QFETCH(QString, classNumber);
        QFETCH(bool, physics);
        QFETCH(bool, chemistry);
        TestRun test;
        TeacherChoiceScreen* teachers = open(test, screen, classNumber);
        QCOMPARE(controls::seen(NEED(QWidget, teachers, "Button2")), physics);
        QCOMPARE(controls::seen(NEED(QWidget, teachers, "Button3")), chemistry);
        QVERIFY(!controls::seen(NEED(QWidget, teachers, "Label13")));
        QVERIFY(!controls::seen(NEED(QWidget, teachers, "Label14")));
        for (int number : {1, 4, 5, 6, 7, 8, 9, 10})
            QVERIFY(controls::seen(NEED_NAMED(QWidget, teachers, buttonName(number))));
        QCOMPARE(NEED(QAbstractButton, teachers, "Button1")->text(), QStringLiteral("Алгебра"));
        if (classNumber == QLatin1String("7"))
            teachers->grab().save(
                QDir::temp().filePath(QStringLiteral("survey-%1-class7.png").arg(screen)));
    }

    void screenTexts_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("counterAtStart");
        QTest::addColumn<int>("marksWidth");
        QTest::newRow("Form5_Love") << "Form5_Love"
                                    << "Наиболее любимые преподаватели"
                                    << "Отметьте  3-ех наиболее любимых преподавателей"
                                    << "отмечено 0" << 146;
        QTest::newRow("Form6_Treb")
            << "Form6_Treb"
            << "Наиболее требовательные преподаватели"
            << "Отметьте  3-ех наиболее требовательных на Ваш взгляд преподавателей "
            << "Выделено 0" << 147;
    }
    void screenTexts()
    {
        QFETCH(QString, screen);
        QFETCH(QString, caption);
        QFETCH(QString, headline);
        QFETCH(QString, counterAtStart);
        QFETCH(int, marksWidth);
        TestRun test;
        TeacherChoiceScreen* teachers = open(test, screen, QStringLiteral("8"));
        QCOMPARE(teachers->windowTitle(), caption);
        QCOMPARE(teachers->size(), QSize(1024, 741));
        QCOMPARE(NEED(QLabel, teachers, "Label1")->text(), headline);
        QCOMPARE(NEED(QLabel, teachers, "Label23")->text(),
                 QStringLiteral("(Повторное нажатие отменяет выбор)"));
        QCOMPARE(counter(teachers)->text(), counterAtStart);
        QCOMPARE(counter(teachers)->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(NEED(QWidget, teachers, "Panel1")->height(), 105);
        QCOMPARE(NEED(QWidget, teachers, "Panel1")->palette().color(QPalette::Window),
                 QColor(31, 39, 48));
        QCOMPARE(NEED(QWidget, teachers, "Panel2")->size(), QSize(837, 577));
        QCOMPARE(NEED(QWidget, teachers, "Panel4")->size(), QSize(marksWidth, 577));
        QCOMPARE(NEED(QWidget, teachers, "Panel4")->palette().color(QPalette::Window),
                 QColor(43, 55, 66));
        auto* next = NEED(QAbstractButton, teachers, "Button100");
        QCOMPARE(next->text(), QStringLiteral("ПРОДОЛЖИТЬ"));
        QCOMPARE(next->size(), QSize(280, 40));
        QVERIFY(!controls::seen(next));
        for (const TeacherChoiceScreen::SubjectRow& row : TeacherChoiceScreen::subjectRows()) {
            QCOMPARE(NEED_NAMED(QWidget, teachers, QString::fromLatin1(row.button))->width(), 400);
            QCOMPARE(NEED_NAMED(QLabel, teachers, QString::fromLatin1(row.markLabel))->text(),
                     QStringLiteral("отмечено"));
        }
        teachers->grab().save(QDir::temp().filePath(QStringLiteral("survey-%1.png").arg(screen)));
        QVERIFY(pressAll(teachers, {1, 4, 10}));
        teachers->grab().save(
            QDir::temp().filePath(QStringLiteral("survey-%1-three.png").arg(screen)));
    }

    void demandingCounterChangesItsWordAtTheFirstPress()
    {
        TestRun test;
        TeacherChoiceScreen* demanding = open(test, QStringLiteral("Form6_Treb"), "8");
        QCOMPARE(counter(demanding)->text(), QStringLiteral("Выделено 0"));
        QVERIFY(pressAll(demanding, {SubjectCatalogue::Biology}));
        QCOMPARE(counter(demanding)->text(), QStringLiteral("отмечено 1"));
        QVERIFY(pressAll(demanding, {SubjectCatalogue::Biology}));
        QCOMPARE(counter(demanding)->text(), QStringLiteral("отмечено 0"));
    }

    void favouriteContinueStoresItsCodesAndLeadsOnWithMarksOfItsOwn()
    {
        TestRun test;
        TeacherChoiceScreen* favourite = open(test, QStringLiteral("Form5_Love"), "8");
        QVERIFY(pressAll(favourite, {4, 10, 2}));
        PRESS(favourite, "Button100");
        const SurveyState& state = test.run().state;
        QCOMPARE(state.FavouriteTeachersAnswer, codes({"4", "10", "2"}));
        QCOMPARE(state.DemandingTeachersAnswer, QString());

        TeacherChoiceScreen* demanding = teacherScreen(test, QStringLiteral("Form6_Treb"));
        QVERIFY(demanding->isVisible());
        QVERIFY(favourite->isVisible()); // stays open underneath
        QCOMPARE(test.run().windows().topWindow(), demanding);
        QCOMPARE(demanding->MarkedCount, 0);
        QVERIFY(demanding->ChoiceCodes.isEmpty());
        QCOMPARE(NEED(QAbstractButton, demanding, "Button4")->text(), QStringLiteral("История"));
        QVERIFY(!controls::seen(NEED(QWidget, demanding, "Label15")));

        QVERIFY(pressAll(demanding, {3, 5, 4}));
        PRESS(demanding, "Button100");
        QCOMPARE(state.FavouriteTeachersAnswer, codes({"4", "10", "2"}));
        QCOMPARE(state.DemandingTeachersAnswer, codes({"3", "5", "4"}));
        QCOMPARE(QString(state.FavouriteTeachersAnswer + state.DemandingTeachersAnswer).size(), 72);
    }

    void demandingSecondsHalfToEven_data()
    {
        QTest::addColumn<double>("secondsAfterGrades");
        QTest::addColumn<int>("stored");
        QTest::newRow("12 min 30.6 s") << 750.6 << 751;
        QTest::newRow("750.5 s: to the even 750") << 750.5 << 750;
        QTest::newRow("751.5 s: to the even 752") << 751.5 << 752;
        QTest::newRow("0.4 s") << 0.4 << 0;
    }
    void demandingSecondsHalfToEven()
    {
        QFETCH(double, secondsAfterGrades);
        QFETCH(int, stored);
        TestRun test;
        test.clock().advanceSeconds(40); // before the grades screen: does not count
        TeacherChoiceScreen* demanding = open(test, QStringLiteral("Form6_Treb"), "8");
        QVERIFY(pressAll(demanding, {1, 4, 5}));
        test.clock().advanceSeconds(secondsAfterGrades);
        PRESS(demanding, "Button100");
        QCOMPARE(test.run().state.DemandingTeachersSeconds, stored);
    }

    void demandingContinueLeadsToTheClassmatesWhenTheWorkbookExists_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("workbook"); // created in the working folder, or none
        QTest::addColumn<QString>("next");
        QTest::newRow("8А.xls there") << "А"
                                      << "8А.xls"
                                      << "Form_Psychology1";
        QTest::newRow("no workbook") << "А"
                                     << ""
                                     << "Form7_Fam";
        QTest::newRow("another stream's workbook") << "А"
                                                   << "8Б.xls"
                                                   << "Form7_Fam";
        QTest::newRow("no stream: 8.xls") << ""
                                          << "8.xls"
                                          << "Form_Psychology1";
    }
    void demandingContinueLeadsToTheClassmatesWhenTheWorkbookExists()
    {
        QFETCH(QString, stream);
        QFETCH(QString, workbook);
        QFETCH(QString, next);
        TestRun test;
        if (!workbook.isEmpty())
            createEmptyFile(test.path(workbook));
        TeacherChoiceScreen* demanding = open(test, QStringLiteral("Form6_Treb"), "8");
        test.run().state.ClassStream = stream;
        test.run().state.RosterWorkbookName = QStringLiteral("stale.xls");
        QVERIFY(pressAll(demanding, {1, 4, 5}));
        PRESS(demanding, "Button100");
        QCOMPARE(test.run().state.RosterWorkbookName, QStringLiteral("8") + stream + ".xls");
        Screen* shown = test.screen(qPrintable(next));
        QVERIFY(shown->isVisible());
        QCOMPARE(test.run().windows().topWindow(), shown);
        QVERIFY(demanding->isVisible());
        const char* other = next == QLatin1String("Form7_Fam") ? "Form_Psychology1" : "Form7_Fam";
        QVERIFY(!test.screen(other)->isVisible());
    }

    void comingBackFromTheClassmatesAndContinuingAgainRebuildsTheAnswer()
    {
        TestRun test;
        createEmptyFile(test.path(QStringLiteral("8А.xls")));
        TeacherChoiceScreen* demanding = open(test, QStringLiteral("Form6_Treb"), "8");
        SurveyState& state = test.run().state;
        state.ClassStream = QStringLiteral("А");
        state.FavouriteTeachersAnswer = codes({"7", "8", "9"});
        QVERIFY(pressAll(demanding, {1, 4, 5}));
        test.clock().advanceSeconds(300);
        PRESS(demanding, "Button100");
        QCOMPARE(state.DemandingTeachersAnswer, codes({"1", "4", "5"}));
        QCOMPARE(state.DemandingTeachersSeconds, 300);

        Screen* classmates = test.screen("Form_Psychology1");
        classmates->close(); // only hides: the demanding screen is in front again
        QVERIFY(!test.ended());
        QCOMPARE(test.run().windows().topWindow(), demanding);
        QVERIFY(pressAll(demanding, {4, 10}));
        test.clock().advanceSeconds(45.2);
        PRESS(demanding, "Button100");
        QCOMPARE(state.DemandingTeachersAnswer, codes({"1", "5", "10"}));
        QCOMPARE(state.DemandingTeachersSeconds, 345);
        QCOMPARE(state.FavouriteTeachersAnswer, codes({"7", "8", "9"}));
        QVERIFY(classmates->isVisible());

        // The workbook has gone meanwhile: this time the finish screen.
        classmates->close();
        QVERIFY(QFile::remove(test.path(QStringLiteral("8А.xls"))));
        PRESS(demanding, "Button100");
        QVERIFY(test.screen("Form7_Fam")->isVisible());
        QVERIFY(!classmates->isVisible());
    }

    void closingATeacherScreenEndsTheProgram_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("Form5_Love") << "Form5_Love";
        QTest::newRow("Form6_Treb") << "Form6_Treb";
    }
    void closingATeacherScreenEndsTheProgram()
    {
        QFETCH(QString, screen);
        TestRun test;
        TeacherChoiceScreen* teachers = open(test, screen, "8");
        QVERIFY(pressAll(teachers, {1, 4, 5}));
        teachers->close();
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
    }
};

SURVEY_TEST_MAIN(TestTeachers)
#include "tst_teachers.moc"
