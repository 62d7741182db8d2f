// Whole runs of a class with a roster workbook: the pupil picks the own surname on the roster
// screen and answers the four classmate questions; and a broken workbook, which must leave the
// pupil a way to a record all the same.

#include "ExpectedRecord.h"
#include "roster/RosterFixtures.h"
#include "storage/ExcelAutomation.h"

#include <QFile>

using namespace respondent;
using expected::Outcome;

namespace {

const QStringList ShownWithRoster{"Form8_Coord", "Form_FamFile",     "Form1_Ball", "Form2_House",
                                  "Form3_Eff",   "Form4_Intrest",    "Form_Dop",   "Form5_Love",
                                  "Form6_Treb",  "Form_Psychology1", "Form7_Fam"};

// The roster workbook of class 8 А in the working folder, copied from a test workbook.
bool giveTheClassItsRoster(TestRun& test, const char* fixture)
{
    return QFile::copy(RosterFixtures::path(QString::fromLatin1(fixture)),
                       test.path(QStringLiteral("8А.xls")));
}

// A pupil of 8 А whose roster lists 25 pupils, the 10th of them "Кузнецов".
Answers classEightA()
{
    Answers a;
    a.classNumber = 8;
    a.stream = QStringLiteral("А");
    a.male = true;
    a.grades = {.algebra = "3-",
                .history = "4",
                .biology = "4+",
                .foreignLanguage = "5-",
                .literature = "2+",
                .russian = "3",
                .geography = "5",
                .informatics = "4-",
                .physics = "3+",
                .chemistry = "2"};
    a.homework = {.algebra = 40,
                  .history = 30,
                  .biology = 10,
                  .foreignLanguage = 0,
                  .literature = 90,
                  .russian = 20,
                  .geography = 10,
                  .informatics = 60,
                  .physics = 30,
                  .chemistry = 20};
    a.distraction = {.algebra = 10,
                     .history = 20,
                     .biology = 5,
                     .foreignLanguage = 40,
                     .literature = 0,
                     .russian = 30,
                     .geography = 5,
                     .informatics = 0,
                     .physics = 20,
                     .chemistry = 10};
    a.interest = {.algebra = 6,
                  .history = 2,
                  .biology = 8,
                  .foreignLanguage = 5,
                  .literature = 0,
                  .russian = 9,
                  .geography = 1,
                  .informatics = 4,
                  .physics = 7,
                  .chemistry = 3};
    a.extra = {1, 7, 3, 8, 0};
    a.favouritePresses = {9, 3, 6};
    a.demandingPresses = {1, 8, 2};
    a.rosterRow = 9;
    a.classmates = {QList<int>{24, 0, 12}, QList<int>{20}, QList<int>{}, QList<int>{19, 7, 6}};
    a.dwell = {.classScreen = 20,
               .roster = 35,
               .grades = 80.2,
               .homework = 70,
               .distraction = 65,
               .interest = 90,
               .extra = 40,
               .favourites = 50,
               .demanding = 45.3,
               .classmateQuestion = 25,
               .finish = 3};
    return a;
}

// The twelve choices of those clicks, written out.
const QStringList ClassmatesChosen{"Щербакова",  "Абрамова", "Никитина", // question 1
                                   "Харитонова", "",         "",         // 2: one, then nobody
                                   "",           "",         "",         // 3: nobody at once
                                   "Фёдоров",    "Зайцев",   "Жукова"};  // 4

} // namespace

class TestRosterRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ExcelApplication.clear(); }

    // The pupil picks the own surname, answers every screen and the four classmate questions;
    // the finish screen knows the name and lets the pupil out at once.
    void pupilOfAClassWithARoster()
    {
        const Answers a = classEightA();
        const Outcome o{.surname = QStringLiteral("Кузнецов"),
                        .gradesSeconds = 80,
                        .demandingSeconds = 440, // 440.5: to the even neighbour
                        .classmates = ClassmatesChosen};
        TestRun test;
        test.start();
        QVERIFY(giveTheClassItsRoster(test, "roster25.xls"));
        const ScreenLog log(test);
        STEP(walk(test, a, "Form1_Ball"));
        auto* famFile = test.screen("Form_FamFile");
        QCOMPARE(NEED(QLineEdit, famFile, "Edit1")->text(), QStringLiteral("Кузнецов    "));
        STEP(walk(test, a, nullptr, "Form1_Ball"));

        STEP(expected::endedAfterTheSave(test, log));
        QCOMPARE(log.shown, ShownWithRoster);
        QCOMPARE(expected::statFiles(test), QStringList{"8А 0.17c"});
        const QByteArray record = expected::record(a, o);
        STEP(expected::fileHolds(test, "8А 0.17c", {record}));
        QCOMPARE(record.left(12), QByteArray("\xCA\xF3\xE7\xED\xE5\xF6\xEE\xE2    "));
        QCOMPARE(record.mid(636, 12), QByteArray("\xD9\xE5\xF0\xE1\xE0\xEA\xEE\xE2\xE0   "));
        QCOMPARE(record.mid(744, 12), QByteArray("\xD4\xB8\xE4\xEE\xF0\xEE\xE2     "));
    }

    // The pupil closes the classmate screen half way: the demanding teachers screen is in front
    // again, its Continue brings the classmate screen back, and the record holds what the pupil
    // chose on the second visit, with the later time of the demanding Continue.
    void classmateScreenClosedAndShownAgain()
    {
        const Answers a = classEightA();
        const Outcome o{.surname = QStringLiteral("Кузнецов"),
                        .gradesSeconds = 80,
                        .demandingSeconds = 490, // 440.5 + 20 + 29.5
                        .classmates = ClassmatesChosen};
        TestRun test;
        test.start();
        QVERIFY(giveTheClassItsRoster(test, "roster25.xls"));
        ScreenLog log(test);
        STEP(walk(test, a, "Form_Psychology1"));
        Screen* classmates = test.screen("Form_Psychology1");
        for (int row : {3, 4, 5})
            CLICK_GRID_ROW(NEED(ButtonCellGrid, classmates, "AdvStringGrid1"), row);
        PRESS(classmates, "AdvGlassButton1");
        test.clock().advanceSeconds(20);
        classmates->close();
        QVERIFY(!test.ended());
        IN_FRONT(test, "Form6_Treb");
        QCOMPARE(log.closed, QStringList{"Form_Psychology1"});
        log.forgetClosings();

        test.clock().advanceSeconds(29.5);
        PRESS(test.screen("Form6_Treb"), "Button100");
        STEP(walk(test, a, nullptr, "Form_Psychology1"));

        STEP(expected::endedAfterTheSave(test, log));
        QStringList shown = ShownWithRoster;
        shown.insert(shown.indexOf("Form7_Fam"), "Form_Psychology1");
        QCOMPARE(log.shown, shown);
        STEP(expected::fileHolds(test, "8А 0.17c", {expected::record(a, o)}));
    }

    // A roster workbook that cannot be read: each of the two screens that read it says so once,
    // the pupil presses an empty row of the roster grid, passes the classmate questions with
    // "nobody", and types the surname at the finish screen.
    void brokenRosterWorkbook_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("reported");
        QTest::newRow("truncated")
            << "truncated_1500.xls"
            << "Не удалось прочитать список класса «8А.xls»: файл повреждён.";
        QTest::newRow("a text file")
            << "text_file.xls"
            << "Не удалось прочитать список класса «8А.xls»: это не книга Excel.";
    }
    void brokenRosterWorkbook()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, reported);
        Answers a = classEightA();
        a.rosterRow = 3;
        a.classmates = {};
        a.typedSurname = QStringLiteral("Лебедев");
        const Outcome o{
            .surname = QStringLiteral("Лебедев"), .gradesSeconds = 80, .demandingSeconds = 440};
        TestRun test;
        test.start();
        QVERIFY(giveTheClassItsRoster(test, qPrintable(fixture)));
        const ScreenLog log(test);

        STEP(walk(test, a, "Form1_Ball"));
        QCOMPARE(test.boxTexts(), QStringList{reported});
        QCOMPARE(test.boxes().front().kind, MessageBoxRequest::Kind::Error);
        STEP(walk(test, a, "Form7_Fam", "Form1_Ball"));
        QCOMPARE(test.boxTexts(), (QStringList{reported, reported}));
        QCOMPARE(test.boxes().back().kind, MessageBoxRequest::Kind::Error);
        STEP(walk(test, a, nullptr, "Form7_Fam"));

        STEP(expected::endedAfterTheSave(test, log, {reported, reported}));
        QCOMPARE(log.shown, ShownWithRoster);
        const QByteArray record = expected::record(a, o);
        STEP(expected::fileHolds(test, "8А 0.17c", {record}));
        QCOMPARE(record.mid(636, 144), QByteArray(144, ' '));
    }
};

SURVEY_TEST_MAIN(TestRosterRuns)
#include "tst_rosterruns.moc"
