// Whole runs without a class roster, as respondents make them: from the introduction through
// every question screen to the finish screen's exit button, and the statistics file they leave,
// byte for byte.

#include "ExpectedRecord.h"
#include "screens/Unit7_Fam.h"
#include "support/Files.h"

#include <QDir>

using namespace respondent;
using expected::endedAfterTheSave;
using expected::fileHolds;
using expected::Outcome;
using expected::statFiles;

namespace {

// The screens shown after the introduction on a run without a roster.
const QStringList ShownWithoutRoster{"Form8_Coord", "Form1_Ball",    "Form2_House",
                                     "Form3_Eff",   "Form4_Intrest", "Form_Dop",
                                     "Form5_Love",  "Form6_Treb",    "Form7_Fam"};

// A class 9 В pupil, with some of the answers changed by `variant` so that every respondent of
// the class answers otherwise.
Answers classNineB(int variant)
{
    static const char* const grades[] = {"2", "2+", "3-", "3", "3+", "4-", "4", "4+", "5-", "5"};
    Answers a;
    a.classNumber = 9;
    a.stream = QStringLiteral("В");
    a.male = variant % 2 == 1;
    std::array<std::optional<const char*>, 10> g;
    std::array<std::optional<int>, 10> h;
    std::array<std::optional<int>, 10> d;
    std::array<std::optional<int>, 10> i;
    static const int homeworkMinutes[] = {0, 10, 20, 30, 40, 60, 90};
    static const int distractionMinutes[] = {0, 5, 10, 20, 30, 40};
    for (std::size_t row = 0; row < 10; ++row) {
        const std::size_t k = row + static_cast<std::size_t>(variant);
        g[row] = grades[(3 * k + 1) % 10];
        h[row] = homeworkMinutes[(k + 2) % 7];
        d[row] = distractionMinutes[(5 * k) % 6];
        i[row] = static_cast<int>((7 * k + 3) % 10);
    }
    a.grades = fromScreenOrder(g);
    a.homework = fromScreenOrder(h);
    a.distraction = fromScreenOrder(d);
    a.interest = fromScreenOrder(i);
    a.extra = {variant, 9 - variant, 5, variant + 2, 0};
    a.favouritePresses = {variant + 1, 10, 7};
    a.demandingPresses = {2, 9, 6, 2, std::array{1, 4, 5, 8}[static_cast<std::size_t>(variant)]};
    a.typedSurname =
        std::array{QStringLiteral("Орлова"), QStringLiteral("Быстров"), QStringLiteral("Гусев"),
                   QStringLiteral("Волкова")}[static_cast<std::size_t>(variant)];
    a.dwell = {.classScreen = 12,
               .grades = 70 + 10.0 * variant,
               .homework = 55,
               .distraction = 40,
               .interest = 66.5,
               .extra = 30,
               .favourites = 25,
               .demanding = 20};
    return a;
}

} // namespace

class TestWholeRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Class 5, stream "Другое", a girl: mathematics in row 1, eight subjects, no physics or
    // chemistry anywhere; the file name has its blank straight after the class number.
    void classFiveOtherStream()
    {
        Answers a;
        a.classNumber = 5;
        a.male = false;
        a.grades = {.algebra = "4+",
                    .history = "5",
                    .biology = "3-",
                    .foreignLanguage = "4",
                    .literature = "5-",
                    .russian = "3+",
                    .geography = "2+",
                    .informatics = "4-"};
        a.homework = {.algebra = 30,
                      .history = 10,
                      .biology = 0,
                      .foreignLanguage = 20,
                      .literature = 40,
                      .russian = 60,
                      .geography = 10,
                      .informatics = 90};
        a.distraction = {.algebra = 5,
                         .history = 0,
                         .biology = 10,
                         .foreignLanguage = 20,
                         .literature = 40,
                         .russian = 5,
                         .geography = 30,
                         .informatics = 0};
        a.interest = {.algebra = 7,
                      .history = 3,
                      .biology = 9,
                      .foreignLanguage = 0,
                      .literature = 5,
                      .russian = 2,
                      .geography = 8,
                      .informatics = 6};
        a.extra = {4, 0, 9, 1, 6};
        a.favouritePresses = {7, 1, 10};
        a.demandingPresses = {8, 4, 8, 1, 9}; // literature marked and taken back
        a.typedSurname = QStringLiteral("Ёлкина");
        // 95.4 s on the grades screen; demanding Continue 12 min 30.6 s after it was shown.
        a.dwell = {.classScreen = 40,
                   .grades = 95.4,
                   .homework = 130,
                   .distraction = 88.2,
                   .interest = 140,
                   .extra = 61,
                   .favourites = 115.5,
                   .demanding = 120.5};
        const Outcome o{
            .surname = QStringLiteral("Ёлкина"), .gradesSeconds = 95, .demandingSeconds = 751};

        TestRun test;
        test.start();
        const ScreenLog log(test);
        STEP(walk(test, a, "Form7_Fam"));
        // The test time runs on at the finish screen.
        test.clock().advanceSeconds(9.4);
        auto* finishScreen = qobject_cast<TForm7_Fam*>(test.screen("Form7_Fam"));
        finishScreen->Timer1Timer();
        QCOMPARE(NEED(QLineEdit, finishScreen, "Edit2")->text(), QStringLiteral("12:40"));
        QCOMPARE(expected::allStatFiles(test.folder()), QStringList());
        STEP(walk(test, a, nullptr, "Form7_Fam"));

        STEP(endedAfterTheSave(test, log));
        QCOMPARE(log.shown, ShownWithoutRoster);
        QCOMPARE(statFiles(test), QStringList{"5 0.17c"});
        const QByteArray record = expected::record(a, o);
        STEP(fileHolds(test, "5 0.17c", {record}));
        // Physics and chemistry: "0  ", "0 " and "0" on the grades, homework, distraction and
        // interest places.
        for (int field : {24, 144, 264, 384})
            QCOMPARE(record.mid(field + 12, 24).trimmed(), QByteArray("0           0"));
        QCOMPARE(record.mid(24, 3), QByteArray("4.3"));
    }

    // Class 7 Б, a boy: nine subjects, physics in, chemistry never offered. Saved in 2009: the
    // year part of the file name keeps its leading zero.
    void classSevenB()
    {
        Answers a;
        a.classNumber = 7;
        a.stream = QStringLiteral("Б");
        a.male = true;
        a.grades = {.algebra = "3",
                    .history = "4-",
                    .biology = "5",
                    .foreignLanguage = "2",
                    .literature = "3-",
                    .russian = "4",
                    .geography = "5-",
                    .informatics = "4+",
                    .physics = "3+"};
        a.homework = {.algebra = 60,
                      .history = 0,
                      .biology = 20,
                      .foreignLanguage = 90,
                      .literature = 10,
                      .russian = 30,
                      .geography = 40,
                      .informatics = 20,
                      .physics = 60};
        a.distraction = {.algebra = 40,
                         .history = 10,
                         .biology = 0,
                         .foreignLanguage = 30,
                         .literature = 5,
                         .russian = 20,
                         .geography = 0,
                         .informatics = 10,
                         .physics = 5};
        a.interest = {.algebra = 1,
                      .history = 8,
                      .biology = 0,
                      .foreignLanguage = 9,
                      .literature = 4,
                      .russian = 6,
                      .geography = 3,
                      .informatics = 7,
                      .physics = 2};
        a.extra = {9, 3, 0, 7, 2};
        a.favouritePresses = {2, 5, 9};
        a.demandingPresses = {10, 2, 6};
        a.typedSurname = QStringLiteral("Щукинн\b"); // a slip corrected
        a.dwell = {.classScreen = 25,
                   .grades = 60.5,
                   .homework = 75,
                   .distraction = 50,
                   .interest = 90,
                   .extra = 45,
                   .favourites = 60,
                   .demanding = 40};
        // 60.5 s and 420.5 s: a half goes to the even neighbour.
        const Outcome o{
            .surname = QStringLiteral("Щукин"), .gradesSeconds = 60, .demandingSeconds = 420};

        TestRun test(QDateTime(QDate(2009, 5, 20), QTime(11, 5, 0)));
        test.start();
        const ScreenLog log(test);
        STEP(walk(test, a));

        STEP(endedAfterTheSave(test, log));
        QCOMPARE(log.shown, ShownWithoutRoster);
        QCOMPARE(statFiles(test), QStringList{"7Б 0.09c"});
        const QByteArray record = expected::record(a, o);
        STEP(fileHolds(test, "7Б 0.09c", {record}));
        QCOMPARE(record.mid(24 + 12, 24), QByteArray("3.3         0           "));
    }

    // Class 11 А: all ten subjects, a surname of 15 letters typed (its first 12 are kept). The
    // run starts on New Year's Eve and ends after midnight: the file is that of the new year.
    void classElevenALongSurname()
    {
        Answers a;
        a.classNumber = 11;
        a.stream = QStringLiteral("А");
        a.male = false;
        a.grades = {.algebra = "5",
                    .history = "5-",
                    .biology = "4+",
                    .foreignLanguage = "4",
                    .literature = "4-",
                    .russian = "3+",
                    .geography = "3",
                    .informatics = "3-",
                    .physics = "2+",
                    .chemistry = "2"};
        a.homework = {.algebra = 90,
                      .history = 60,
                      .biology = 40,
                      .foreignLanguage = 30,
                      .literature = 20,
                      .russian = 10,
                      .geography = 0,
                      .informatics = 10,
                      .physics = 20,
                      .chemistry = 30};
        a.distraction = {.algebra = 0,
                         .history = 5,
                         .biology = 10,
                         .foreignLanguage = 20,
                         .literature = 30,
                         .russian = 40,
                         .geography = 30,
                         .informatics = 20,
                         .physics = 10,
                         .chemistry = 5};
        a.interest = {.algebra = 9,
                      .history = 8,
                      .biology = 7,
                      .foreignLanguage = 6,
                      .literature = 5,
                      .russian = 4,
                      .geography = 3,
                      .informatics = 2,
                      .physics = 1,
                      .chemistry = 0};
        a.extra = {2, 8, 6, 0, 5};
        a.favouritePresses = {3, 10, 4, 10,
                              1}; // informatics taken back: chemistry, history, algebra
        a.demandingPresses = {2, 3, 5};
        a.typedSurname = QStringLiteral("Ростиславовская");
        a.dwell = {.classScreen = 30,
                   .grades = 185.5,
                   .homework = 100,
                   .distraction = 90,
                   .interest = 120,
                   .extra = 70,
                   .favourites = 80,
                   .demanding = 84.5,
                   .finish = 5};
        const Outcome o{.surname = QStringLiteral("Ростиславовс"),
                        .gradesSeconds = 186,
                        .demandingSeconds = 730};

        TestRun test(QDateTime(QDate(2016, 12, 31), QTime(23, 50, 0)));
        test.start();
        const ScreenLog log(test);
        STEP(walk(test, a));

        STEP(endedAfterTheSave(test, log));
        QCOMPARE(log.shown, ShownWithoutRoster);
        QCOMPARE(statFiles(test), QStringList{"11А 0.17c"});
        STEP(fileHolds(test, "11А 0.17c", {expected::record(a, o)}));
    }

    // Respondents of one workstation, one program run each, in one working folder: the three of
    // 9 В count 1, 2, 3 in their file, with their records in order; a pupil of 9 Г between them
    // starts a file of his own.
    void respondentsOfOneClassShareTheirFile()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("STAT")));
        QList<QByteArray> nineB;
        for (int variant = 0; variant < 4; ++variant) {
            Answers a = classNineB(variant);
            if (variant == 2)
                a.stream = QStringLiteral("Г");
            const Outcome o{.surname = a.typedSurname.value(),
                            .gradesSeconds = 70 + 10 * variant,
                            .demandingSeconds = 306 + 10 * variant}; // 306.5 + 10 v: to even
            TestRun test(folder.path(), QDateTime(QDate(2017, 3, 14), QTime(9 + variant, 0, 0)));
            test.start();
            const ScreenLog log(test);
            STEP(walk(test, a));
            STEP(endedAfterTheSave(test, log));
            if (variant == 2) {
                STEP(fileHolds(test, "9Г 0.17c", {expected::record(a, o)}));
            } else {
                nineB.append(expected::record(a, o));
                STEP(fileHolds(test, "9В 0.17c", nineB));
            }
        }
        QCOMPARE(nineB.size(), 3);
        QCOMPARE(statFiles(folder.path()), (QStringList{"9В 0.17c", "9Г 0.17c"}));
    }

    // Closing the window of a screen of the sequence ends the program at once, without a record.
    void closingAScreenMidRunEndsWithoutARecord_data()
    {
        QTest::addColumn<QString>("instance");
        for (const char* instance :
             {"Form8_Coord", "Form1_Ball", "Form2_House", "Form3_Eff", "Form4_Intrest", "Form_Dop",
              "Form5_Love", "Form6_Treb", "Form7_Fam"})
            QTest::newRow(instance) << QString::fromLatin1(instance);
    }
    void closingAScreenMidRunEndsWithoutARecord()
    {
        QFETCH(QString, instance);
        const Answers a = classNineB(1);
        TestRun test;
        test.start();
        STEP(walk(test, a, qPrintable(instance)));
        QVERIFY(!test.ended());
        test.screen(qPrintable(instance))->close();
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
        QCOMPARE(expected::allStatFiles(test.folder()), QStringList());
        QCOMPARE(test.boxTexts(), QStringList());
    }

    // Every class from 5 to 11 gets from the introduction to its saved record.
    void everyClassReachesItsRecord_data()
    {
        QTest::addColumn<int>("classNumber");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("surname");
        for (const auto& [c, stream, file, surname] :
             {std::tuple{5, "А", "5А 0.17c", "Антонова"}, std::tuple{6, "Б", "6Б 0.17c", "Борисов"},
              std::tuple{7, "", "7 0.17c", "Воронина"}, std::tuple{8, "Г", "8Г 0.17c", "Григорьев"},
              std::tuple{9, "Д", "9Д 0.17c", "Дроздова"},
              std::tuple{10, "Е", "10Е 0.17c", "Ефимов"},
              std::tuple{11, "В", "11В 0.17c", "Ёжикова"}})
            QTest::addRow("class %d", c) << c << QString::fromUtf8(stream)
                                         << QString::fromUtf8(file) << QString::fromUtf8(surname);
    }
    void everyClassReachesItsRecord()
    {
        QFETCH(int, classNumber);
        QFETCH(QString, stream);
        QFETCH(QString, file);
        QFETCH(QString, surname);
        static const char* const grades[] = {"2",  "2+", "3-", "3",  "3+",
                                             "4-", "4",  "4+", "5-", "5"};
        static const int homeworkMinutes[] = {0, 10, 20, 30, 40, 60, 90};
        static const int distractionMinutes[] = {0, 5, 10, 20, 30, 40};
        const int c = classNumber;
        // Physics from class 7, chemistry from class 8: the last two rows of the screens.
        const std::size_t rows = c < 7 ? 8 : c < 8 ? 9 : 10;
        std::array<std::optional<const char*>, 10> g;
        std::array<std::optional<int>, 10> h;
        std::array<std::optional<int>, 10> d;
        std::array<std::optional<int>, 10> i;
        for (std::size_t row = 0; row < rows; ++row) {
            const std::size_t k = row + static_cast<std::size_t>(c);
            g[row] = grades[(7 * k) % 10];
            h[row] = homeworkMinutes[(3 * k) % 7];
            d[row] = distractionMinutes[(k + 1) % 6];
            i[row] = static_cast<int>((3 * k + 1) % 10);
        }
        Answers a;
        a.classNumber = c;
        a.stream = stream;
        a.male = c % 2 == 0;
        a.grades = fromScreenOrder(g);
        a.homework = fromScreenOrder(h);
        a.distraction = fromScreenOrder(d);
        a.interest = fromScreenOrder(i);
        a.extra = {c % 10, (c + 3) % 10, (c + 5) % 10, (c * 2) % 10, 9};
        const QList<int> taught = c < 7   ? QList<int>{1, 4, 5, 6, 7, 8, 9, 10}
                                  : c < 8 ? QList<int>{1, 2, 4, 5, 6, 7, 8, 9, 10}
                                          : QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        const auto nth = [&](int n) { return taught[n % taught.size()]; };
        a.favouritePresses = {nth(c), nth(c + 2), nth(c + 5)};
        a.demandingPresses = {nth(c + 7), nth(c + 1), nth(c + 3)};
        a.typedSurname = surname;
        a.dwell = {.classScreen = 10,
                   .grades = 30.0 + c,
                   .homework = 40,
                   .distraction = 40,
                   .interest = 40,
                   .extra = 20,
                   .favourites = 20,
                   .demanding = 20.4};
        const Outcome o{.surname = surname, .gradesSeconds = 30 + c, .demandingSeconds = 210 + c};

        TestRun test;
        test.start();
        const ScreenLog log(test);
        STEP(walk(test, a));
        STEP(endedAfterTheSave(test, log));
        QCOMPARE(log.shown, ShownWithoutRoster);
        QCOMPARE(statFiles(test), QStringList{file});
        STEP(fileHolds(test, file, {expected::record(a, o)}));
    }
};

SURVEY_TEST_MAIN(TestWholeRuns)
#include "tst_wholeruns.moc"
