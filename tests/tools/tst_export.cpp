// survey-data export and check: files written by whole runs of the program come out with every
// answer in its named column; damaged files are reported line by line while the valid rows are
// still written; the --excel form; the exit statuses and the manners of a command line tool.

#include "ToolRun.h"
#include "roster/RosterFixtures.h"
#include "runs/ExpectedRecord.h"
#include "storage/ExcelAutomation.h"
#include "support/Files.h"
#include "support/RecordBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

using namespace recordbytes;
using respondent::Answers;
using respondent::PerSubject;
using toolrun::parseCsv;

namespace {

const QString File8A = QStringLiteral("STAT/8А 0.17c");

// A pupil of 8 А who picks the own name in the roster of 25 and answers the classmate questions.
Answers pupilOf8A()
{
    Answers a;
    a.classNumber = 8;
    a.stream = QStringLiteral("А");
    a.male = true;
    a.grades = {.algebra = "4+",
                .history = "3",
                .biology = "5-",
                .foreignLanguage = "2+",
                .literature = "4",
                .russian = "3-",
                .geography = "5",
                .informatics = "4-",
                .physics = "3+",
                .chemistry = "2"};
    a.homework = {.algebra = 60,
                  .history = 0,
                  .biology = 10,
                  .foreignLanguage = 20,
                  .literature = 90,
                  .russian = 30,
                  .geography = 40,
                  .informatics = 10,
                  .physics = 0,
                  .chemistry = 20};
    a.distraction = {.algebra = 0,
                     .history = 40,
                     .biology = 5,
                     .foreignLanguage = 10,
                     .literature = 20,
                     .russian = 30,
                     .geography = 0,
                     .informatics = 5,
                     .physics = 10,
                     .chemistry = 20};
    a.interest = {.algebra = 9,
                  .history = 1,
                  .biology = 2,
                  .foreignLanguage = 3,
                  .literature = 4,
                  .russian = 0,
                  .geography = 5,
                  .informatics = 6,
                  .physics = 7,
                  .chemistry = 8};
    a.extra = {2, 8, 0, 9, 4};
    a.favouritePresses = {3, 10, 5, 10, 2};
    a.demandingPresses = {8, 1, 4};
    a.rosterRow = 3;
    a.classmates = {QList<int>{5, 17}, QList<int>{}, QList<int>{0, 24, 11}, QList<int>{8}};
    a.dwell = {.classScreen = 15,
               .roster = 20,
               .grades = 61,
               .homework = 50,
               .distraction = 45,
               .interest = 70,
               .extra = 30,
               .favourites = 40,
               .demanding = 35,
               .classmateQuestion = 12,
               .finish = 2};
    return a;
}

// A girl of class 5 with no stream letter and no roster: no physics, no chemistry.
Answers pupilOf5()
{
    Answers a;
    a.classNumber = 5;
    a.male = false;
    a.grades = {.algebra = "5",
                .history = "4+",
                .biology = "3",
                .foreignLanguage = "4-",
                .literature = "5-",
                .russian = "2",
                .geography = "3+",
                .informatics = "4"};
    a.homework = {.algebra = 0,
                  .history = 10,
                  .biology = 90,
                  .foreignLanguage = 60,
                  .literature = 40,
                  .russian = 30,
                  .geography = 20,
                  .informatics = 0};
    a.distraction = {.algebra = 40,
                     .history = 0,
                     .biology = 30,
                     .foreignLanguage = 5,
                     .literature = 0,
                     .russian = 10,
                     .geography = 20,
                     .informatics = 5};
    a.interest = {.algebra = 0,
                  .history = 9,
                  .biology = 8,
                  .foreignLanguage = 1,
                  .literature = 7,
                  .russian = 2,
                  .geography = 6,
                  .informatics = 3};
    a.extra = {0, 0, 7, 1, 9};
    a.favouritePresses = {1, 7, 4};
    a.demandingPresses = {10, 9, 8};
    a.typedSurname = QStringLiteral("Ёлкина");
    a.dwell = {.classScreen = 10,
               .grades = 200,
               .homework = 150,
               .distraction = 100,
               .interest = 120,
               .extra = 80,
               .favourites = 60,
               .demanding = 90.4,
               .finish = 5};
    return a;
}

// Record order, as the columns of a subject follow each other.
template <typename T> std::array<std::optional<T>, 10> inRecordOrder(const PerSubject<T>& s)
{
    return {s.algebra,         s.physics,    s.chemistry, s.history,   s.biology,
            s.foreignLanguage, s.literature, s.russian,   s.geography, s.informatics};
}

template <typename T, typename Text> QString cellOf(const std::optional<T>& value, Text text)
{
    return value ? text(*value) : QString(); // a subject the class does not have: no answer
}

// Every column of the respondent's row, from the answers given on the screens.
QMap<QString, QString> expectedRow(const Answers& a, const QString& surname, qint64 line)
{
    QMap<QString, QString> row;
    row[QStringLiteral("file")] =
        QDir::toNativeSeparators(QStringLiteral("STAT/") + expected::fileName(a, 2017));
    row[QStringLiteral("line")] = QString::number(line);
    row[QStringLiteral("class")] = QString::number(a.classNumber);
    row[QStringLiteral("stream")] = a.stream;
    row[QStringLiteral("year")] = QStringLiteral("2017");
    row[QStringLiteral("surname")] = surname;
    row[QStringLiteral("gender")] = a.male ? QStringLiteral("1") : QStringLiteral("0");
    const char* const keys[10] = {"algebra",   "physics",          "chemistry",  "history",
                                  "biology",   "foreign_language", "literature", "russian",
                                  "geography", "informatics"};
    const auto number = [](int n) { return QString::number(n); };
    for (std::size_t n = 0; n < 10; ++n) {
        const QString key = QString::fromLatin1(keys[n]);
        row[QStringLiteral("grade_") + key] =
            cellOf(inRecordOrder(a.grades)[n], [](const char* shown) {
                return QString::fromLatin1(expected::gradeCode(shown));
            });
        row[QStringLiteral("homework_") + key] = cellOf(inRecordOrder(a.homework)[n], number);
        row[QStringLiteral("distraction_") + key] = cellOf(inRecordOrder(a.distraction)[n], number);
        row[QStringLiteral("interest_") + key] = cellOf(inRecordOrder(a.interest)[n], number);
    }
    const QList<int> favourites = expected::marked(a.favouritePresses);
    const QList<int> demanding = expected::marked(a.demandingPresses);
    for (int n = 0; n < 3; ++n) {
        row[QStringLiteral("favourite_%1").arg(n + 1)] = QString::number(favourites.at(n));
        row[QStringLiteral("demanding_%1").arg(n + 1)] = QString::number(demanding.at(n));
    }
    for (int n = 0; n < 5; ++n)
        row[QStringLiteral("extra_%1").arg(n + 1)] = QString::number(a.extra[std::size_t(n)]);
    const char* const questions[4] = {"desk_mate", "class_head", "sports", "olympiad"};
    for (std::size_t q = 0; q < 4; ++q)
        for (int n = 0; n < 3; ++n) {
            const QList<int>& rows = a.classmates[q];
            row[QStringLiteral("%1_%2").arg(QLatin1String(questions[q])).arg(n + 1)] =
                n < rows.size() ? RosterFixtures::surnames().at(rows.at(n)) : QString();
        }
    // The grades screen's own time, and the time from the grades screen to the demanding
    // teachers' Continue; halves go to the even neighbour.
    const respondent::Dwell& d = a.dwell;
    row[QStringLiteral("grades_seconds")] = QString::number(std::nearbyint(d.grades));
    row[QStringLiteral("demanding_seconds")] = QString::number(std::nearbyint(
        d.grades + d.homework + d.distraction + d.interest + d.extra + d.favourites + d.demanding));
    return row;
}

// A working folder with its STAT folder that is the current folder while it lives, as an
// analyst runs the tool there.
struct CurrentWorkingFolder
{
    files::WorkingFolder folder;
    QString before = QDir::currentPath();
    CurrentWorkingFolder() { QDir::setCurrent(folder.path()); }
    ~CurrentWorkingFolder() { QDir::setCurrent(before); }
    bool write(const QString& relative, const QByteArray& bytes) const
    {
        return files::writeBytes(folder.path() + QLatin1Char('/') + relative, bytes);
    }
};

QList<qint64> exportedLines(const toolrun::Table& table)
{
    QList<qint64> lines;
    for (qsizetype r = 0; r < table.rows.size(); ++r)
        lines.append(table.cell(r, QStringLiteral("line")).toLongLong());
    return lines;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ExcelApplication.clear(); }

    // Two respondents walk through the real screens into one working folder; the export of the
    // folder has their rows, files in name order, every answer in the column named after it.
    void wholeRunsExportEveryAnswer()
    {
        CurrentWorkingFolder work;
        const QList<Answers> respondents{pupilOf8A(), pupilOf5()};
        for (const Answers& a : respondents) {
            TestRun test(work.folder.path(), QDateTime(QDate(2017, 3, 14), QTime(9, 58, 5)));
            test.start();
            if (a.rosterRow)
                QVERIFY(QFile::copy(RosterFixtures::path(QStringLiteral("roster25.xls")),
                                    test.path(QStringLiteral("8А.xls"))));
            STEP(respondent::walk(test, a));
            QVERIFY(test.ended());
            QCOMPARE(test.boxTexts(), QStringList());
        }

        const toolrun::Result result = toolrun::run({QStringLiteral("export"), work.folder.path()});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);
        const toolrun::Table table = parseCsv(result.out);
        QCOMPARE(table.rows.size(), 2);
        const QList<QMap<QString, QString>> wanted{
            expectedRow(pupilOf5(), QStringLiteral("Ёлкина"), 2),
            expectedRow(pupilOf8A(), RosterFixtures::surnames().at(3), 2)};
        for (qsizetype r = 0; r < 2; ++r) {
            QCOMPARE(table.rows[r].size(), table.header.size());
            QStringList columns = table.header;
            columns.sort();
            QCOMPARE(columns, wanted[r].keys());
            for (const QString& column : table.header)
                QVERIFY2(table.cell(r, column) == wanted[r].value(column, QStringLiteral("<none>")),
                         qPrintable(QStringLiteral("row %1, %2: «%3», wanted «%4»")
                                        .arg(r)
                                        .arg(column, table.cell(r, column),
                                             wanted[r].value(column, QStringLiteral("<none>")))));
        }
    }

    // Each damaged file is reported as FILE:LINE: reason on standard error; the valid rows are
    // exported all the same and the status says that something was wrong.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("problems"); // the start of each line on standard error
        QTest::addColumn<QList<qint64>>("exported");
        const QByteArray r = recordOf8();
        const QString at = QDir::toNativeSeparators(File8A);
        QTest::newRow("sound") << fileOf({"2", r, r}) << QStringList() << QList<qint64>{2, 3};
        QTest::newRow("792-character record")
            << fileOf({"3", r, r.left(792), r})
            << QStringList{at + ":3: длина записи 792 вместо 804: старая запись"}
            << QList<qint64>{2, 4};
        QTest::newRow("bad grade code")
            << fileOf({"2", changed(r, 49, "6  "), r})
            << QStringList{at + ":2: поз. 49–60 (оценка: химия): недопустимое значение «6»"}
            << QList<qint64>{3};
        QTest::newRow("duplicated teacher code")
            << fileOf({"3", r, r, changed(r, 517, "7")})
            << QStringList{at + ":4: поз. 517–528 (любимые учителя): предмет 7 (литература) "
                                "отмечен дважды"}
            << QList<qint64>{2, 3};
        QTest::newRow("wrong counter")
            << fileOf({"1", r, r})
            << QStringList{at + ":1: счётчик записей в первой строке — 1, а записей в файле 2"}
            << QList<qint64>{2, 3};
        QTest::newRow("byte outside the code page")
            << fileOf({"2", r, changed(r, 2, "\x98")})
            << QStringList{at + ":3: поз. 2 (фамилия): байт 0x98"} << QList<qint64>{2};
        QTest::newRow("empty file")
            << QByteArray() << QStringList{at + ":0: файл пуст"} << QList<qint64>{};
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, problems);
        QFETCH(QList<qint64>, exported);
        CurrentWorkingFolder work;
        QVERIFY(work.write(File8A, bytes));

        const toolrun::Result result = toolrun::run({"export", "STAT"});
        const QStringList lines = result.errLines();
        QCOMPARE(lines.size(), problems.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(problems[i]), qPrintable(lines[i]));
        QCOMPARE(result.status, problems.isEmpty() ? 0 : 1);
        QCOMPARE(exportedLines(parseCsv(result.out)), exported);

        // check reads the same and says it per file.
        const toolrun::Result checked = toolrun::run({"check", "STAT"});
        QCOMPARE(checked.errLines(), lines);
        QCOMPARE(checked.status, result.status);
    }

    // A file with LF or CR line ends exports as its CR LF twin does.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void lineEnds()
    {
        QFETCH(QByteArray, lineEnd);
        const QByteArrayList lines{"3", recordOf8(), changed(recordOf8(), 13, "1"), recordOf8()};
        QByteArray asCrLf;
        {
            CurrentWorkingFolder work;
            QVERIFY(work.write(File8A, fileOf(lines)));
            const toolrun::Result result = toolrun::run({"export", "STAT"});
            QCOMPARE(result.status, 0);
            asCrLf = result.out;
        }
        CurrentWorkingFolder work;
        QVERIFY(work.write(File8A, fileOf(lines, lineEnd)));
        const toolrun::Result result = toolrun::run({"export", "STAT"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);
        QCOMPARE(parseCsv(asCrLf).rows.size(), 3);
        QCOMPARE(result.out, asCrLf);
    }

    // How a cell is written: RFC 4180 quoting always; with --excel the separator ";", the
    // decimal comma in grades, and "'" before a cell that a spreadsheet would take for a formula.
    void cells_data()
    {
        QTest::addColumn<bool>("excel");
        QTest::addColumn<QByteArray>("name"); // put in place desk_mate_1, Windows-1251
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("written"); // the cell as it stands between the separators
        QTest::addColumn<QString>("value");   // the cell as a CSV reader gives it back
        const QString desk = QStringLiteral("desk_mate_1");
        const QString grade = QStringLiteral("grade_algebra");
        QTest::newRow("grade") << false << QByteArray() << grade << "4.3"
                               << "4.3";
        QTest::newRow("excel: grade") << true << QByteArray() << grade << "4,3"
                                      << "4,3";
        QTest::newRow("formula") << false << QByteArray("=SUM(A1)") << desk << "=SUM(A1)"
                                 << "=SUM(A1)";
        QTest::newRow("excel: =") << true << QByteArray("=SUM(A1)") << desk << "'=SUM(A1)"
                                  << "'=SUM(A1)";
        QTest::newRow("excel: +") << true << QByteArray("+7") << desk << "'+7"
                                  << "'+7";
        QTest::newRow("excel: -") << true << QByteArray("-x") << desk << "'-x"
                                  << "'-x";
        QTest::newRow("excel: @") << true << QByteArray("@a") << desk << "'@a"
                                  << "'@a";
        QTest::newRow("excel: = inside") << true << QByteArray("a=b") << desk << "a=b"
                                         << "a=b";
        QTest::newRow("comma") << false << QByteArray("a,b") << desk << "\"a,b\""
                               << "a,b";
        QTest::newRow("excel: comma") << true << QByteArray("a,b") << desk << "a,b"
                                      << "a,b";
        QTest::newRow("semicolon") << false << QByteArray("a;b") << desk << "a;b"
                                   << "a;b";
        QTest::newRow("excel: semicolon") << true << QByteArray("a;b") << desk << "\"a;b\""
                                          << "a;b";
        QTest::newRow("quote") << false << QByteArray("x\"y") << desk << "\"x\"\"y\""
                               << "x\"y";
        QTest::newRow("excel: quote") << true << QByteArray("\"=1") << desk << "\"\"\"=1\""
                                      << "\"=1";
        QTest::newRow("Cyrillic") << false << QByteArray("\xd9\xf3\xea\xe0") << desk << "Щука"
                                  << "Щука";
    }
    void cells()
    {
        QFETCH(bool, excel);
        QFETCH(QByteArray, name);
        QFETCH(QString, column);
        QFETCH(QString, written);
        QFETCH(QString, value);
        CurrentWorkingFolder work;
        const QByteArray record =
            name.isEmpty() ? recordOf8() : changed(recordOf8(), classmatePosition(0), place(name));
        QVERIFY(work.write(File8A, fileOf({"1", record})));

        QStringList args{"export", "STAT"};
        if (excel)
            args.insert(1, QStringLiteral("--excel"));
        const toolrun::Result result = toolrun::run(args);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);
        const QByteArray bom("\xEF\xBB\xBF");
        QCOMPARE(result.out.startsWith(bom), excel);
        const QByteArray body = excel ? result.out.mid(bom.size()) : result.out;
        const QChar separator = QLatin1Char(excel ? ';' : ',');
        const toolrun::Table table = parseCsv(body, separator);
        QCOMPARE(table.header.first(), QStringLiteral("file"));
        QCOMPARE(table.cell(0, column), value);
        const QString text = QString::fromUtf8(body);
        QVERIFY2(text.contains(separator + written + separator), qPrintable(text));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing path")
            << QStringList{"export", "nowhere"}
            << "survey-data export: «nowhere»: нет такого файла или папки";
        QTest::newRow("folder without statistics files")
            << QStringList{"export", "empty"}
            << "survey-data export: «empty»: в папке нет файлов статистики";
        QTest::newRow("one of two paths missing")
            << QStringList{"export", "STAT", "nowhere"}
            << "survey-data export: «nowhere»: нет такого файла или папки";
        QTest::newRow("no path") << QStringList{"export", "--excel"}
                                 << "survey-data export: не указан ни один ПУТЬ";
        QTest::newRow("unknown option") << QStringList{"export", "--tabs", "STAT"}
                                        << "survey-data export: неизвестный параметр «--tabs»";
        QTest::newRow("-o without a file") << QStringList{"export", "STAT", "-o"}
                                           << "survey-data export: после -o нужно имя файла";
        QTest::newRow("output not writable")
            << QStringList{"export", "-o", "nowhere/table.csv", "STAT"}
            << "survey-data export: не удалось создать «nowhere/table.csv»";
        QTest::newRow("output over an input")
            << QStringList{"export", "-o", File8A, "STAT"}
            << QStringLiteral("survey-data export: «%1» — один из файлов статистики").arg(File8A);
        QTest::newRow("check: missing path")
            << QStringList{"check", "nowhere"}
            << "survey-data check: «nowhere»: нет такого файла или папки";
        QTest::newRow("check: no -o") << QStringList{"check", "-o", "x.csv", "STAT"}
                                      << "survey-data check: неизвестный параметр «-o»";
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        CurrentWorkingFolder work;
        const QByteArray file = fileOf({"1", recordOf8()});
        QVERIFY(work.write(File8A, file));
        QVERIFY(QDir(work.folder.path()).mkdir(QStringLiteral("empty")));

        const toolrun::Result result = toolrun::run(args);
        QCOMPARE(result.status, 2);
        QVERIFY2(result.err.startsWith(message), qPrintable(result.err));
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(files::readBytes(work.folder.path() + QLatin1Char('/') + File8A), file);
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("start");
        QTest::newRow("export --help") << QStringList{"export", "--help"}
                                       << "Использование: survey-data export [ПАРАМЕТРЫ] ПУТЬ…";
        QTest::newRow("check -h") << QStringList{"check", "-h"}
                                  << "Использование: survey-data check [ПАРАМЕТРЫ] ПУТЬ…";
        QTest::newRow("export --version") << QStringList{"export", "--version"} << "survey-data ";
        QTest::newRow("tool's list")
            << QStringList{"--help"} << "Использование: survey-data КОМАНДА";
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, start);
        const toolrun::Result result = toolrun::run(args);
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        QVERIFY2(QString::fromUtf8(result.out).startsWith(start), result.out.constData());
    }

    // -o FILE gets what standard output would; "-" is standard output.
    void outputFile()
    {
        CurrentWorkingFolder work;
        QVERIFY(work.write(File8A, fileOf({"2", recordOf8(), recordOf5()})));
        const toolrun::Result toStdout = toolrun::run({"export", "--excel", "STAT"});
        QCOMPARE(toStdout.status, 1); // the class 5 record does not fit class 8
        QCOMPARE(parseCsv(toStdout.out.mid(3), QLatin1Char(';')).rows.size(), 1);

        const toolrun::Result toFile = toolrun::run({"export", "--excel", "-o", "t.csv", "STAT"});
        QCOMPARE(toFile.status, 1);
        QCOMPARE(toFile.err, toStdout.err);
        QCOMPARE(toFile.out, QByteArray());
        QCOMPARE(files::readBytes(work.folder.path() + QStringLiteral("/t.csv")), toStdout.out);
        QCOMPARE(QDir(work.folder.path()).entryList(QDir::Files), QStringList{"t.csv"});

        const toolrun::Result dash = toolrun::run({"export", "--excel", "-o", "-", "STAT"});
        QCOMPARE(dash.out, toStdout.out);
    }

    // A summary line per file on standard output, and a total for more than one.
    void checkSummary()
    {
        CurrentWorkingFolder work;
        QVERIFY(work.write(File8A, fileOf({"2", recordOf8(), recordOf8()})));
        QVERIFY(work.write(QStringLiteral("STAT/9Б 0.17c"),
                           fileOf({"5", recordOf8(), recordOf8().left(780)})));
        QVERIFY(work.write(QStringLiteral("STAT/7 0.17c"), fileOf({"x"})));
        const toolrun::Result result = toolrun::run({"check", "."});
        QCOMPARE(result.status, 1);
        const QString out = QDir::fromNativeSeparators(QString::fromUtf8(result.out));
        QCOMPARE(out, QStringLiteral("STAT/7 0.17c: записей 0, ошибочных 0, счётчик не прочитан\n"
                                     "STAT/8А 0.17c: записей 2, ошибочных 0, счётчик 2\n"
                                     "STAT/9Б 0.17c: записей 2, ошибочных 1, счётчик 5\n"
                                     "всего: файлов 3, записей 4, ошибочных 1\n"));
        QCOMPARE(result.errLines().size(), 3);

        const toolrun::Result sound = toolrun::run({"check", File8A});
        QCOMPARE(sound.status, 0);
        QCOMPARE(sound.err, QString());
    }

    // The progress line needs many files and a terminal on standard error.
    void progressLine_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("shown");
        QTest::newRow("many files, terminal") << 12 << true << true;
        QTest::newRow("many files, no terminal") << 12 << false << false;
        QTest::newRow("few files, terminal") << 3 << true << false;
    }
    void progressLine()
    {
        QFETCH(int, files);
        QFETCH(bool, terminal);
        QFETCH(bool, shown);
        CurrentWorkingFolder work;
        const QStringList streams{"", "А", "Б", "В", "Г", "Д", "Е"};
        for (int i = 0; i < files; ++i)
            QVERIFY(work.write(QStringLiteral("STAT/%1%2 0.17c").arg(8 + i / 7).arg(streams[i % 7]),
                               fileOf({"1", recordOf8()})));
        const toolrun::Result result = toolrun::run({"export", "STAT"}, terminal);
        QCOMPARE(result.status, 0);
        QCOMPARE(parseCsv(result.out).rows.size(), files);
        QCOMPARE(result.err.contains(QStringLiteral("\r[%1/%1] ").arg(files)), shown);
        // Nothing is left of it once the tool is done.
        QVERIFY(result.err.isEmpty() || result.err.endsWith(QLatin1Char('\r')));
    }
};

SURVEY_TEST_MAIN(TestExport)
#include "tst_export.moc"
