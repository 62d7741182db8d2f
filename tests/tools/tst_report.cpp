// The class report: its figures and sociomatrix from hand-made records, the page it renders read
// back as XML, and a STAT folder written by whole runs of the program turned into a report by
// the survey-data command.

#include "ReportFixtures.h"
#include "ReportPage.h"
#include "ToolRun.h"
#include "roster/RosterFixtures.h"
#include "runs/Respondent.h"
#include "support/Files.h"
#include "tools/ReportHtml.h"
#include "tools/Tool.h"

#include <QTemporaryDir>
#include <QTest>

using namespace SurveyData::Report;
using StatisticsReader::Answers;
using StatisticsReader::Record;

namespace {

// A record of class 8 with every answer valid; the tests set what they look at.
Record record(qint64 line, const QString& surname, const QStringList& classmates = {})
{
    Record r;
    r.line = line;
    Answers& a = r.answers;
    a.surname = surname;
    a.genderCode = QStringLiteral("1");
    a.grades.fill(QStringLiteral("4"));
    a.homework.fill(QStringLiteral("20"));
    a.distraction.fill(QStringLiteral("5"));
    a.interest.fill(QStringLiteral("5"));
    a.favourite = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    a.demanding = {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")};
    a.extra.fill(QStringLiteral("3"));
    for (qsizetype i = 0; i < classmates.size() && i < 12; ++i)
        a.classmates[static_cast<std::size_t>(i)] = classmates[i];
    a.gradesSeconds = 100;
    a.demandingSeconds = 400;
    return r;
}

// Twelve places from four questions of up to three names each.
QStringList places(const QStringList& q1, const QStringList& q2 = {}, const QStringList& q3 = {},
                   const QStringList& q4 = {})
{
    QStringList all;
    for (const QStringList& q : {q1, q2, q3, q4})
        for (int i = 0; i < 3; ++i)
            all.append(i < q.size() ? q[i] : QString());
    return all;
}

const FileName Class8A{QStringLiteral("8"), QStringLiteral("А"), 2017};

// A pupil of 8 А walked through the real screens: the clicks differ from pupil to pupil.
respondent::Answers pupilOfEightA(int variant)
{
    static const char* const grades[] = {"2", "2+", "3-", "3", "3+", "4-", "4", "4+", "5-", "5"};
    static const int homeworkMinutes[] = {0, 10, 20, 30, 40, 60, 90};
    static const int distractionMinutes[] = {0, 5, 10, 20, 30, 40};
    respondent::Answers a;
    a.classNumber = 8;
    a.stream = QStringLiteral("А");
    a.male = variant % 2 == 0;
    std::array<std::optional<const char*>, 10> g;
    std::array<std::optional<int>, 10> h, d, i;
    for (std::size_t row = 0; row < 10; ++row) {
        const std::size_t k = row + static_cast<std::size_t>(variant);
        g[row] = grades[(3 * k + 2) % 10];
        h[row] = homeworkMinutes[(k + 1) % 7];
        d[row] = distractionMinutes[(5 * k + 1) % 6];
        i[row] = static_cast<int>((7 * k + 1) % 10);
    }
    a.grades = respondent::fromScreenOrder(g);
    a.homework = respondent::fromScreenOrder(h);
    a.distraction = respondent::fromScreenOrder(d);
    a.interest = respondent::fromScreenOrder(i);
    a.extra = {variant, 9 - variant, 4, variant + 1, 2};
    a.favouritePresses = {variant + 1, 10, 7};
    a.demandingPresses = {2, 9, 6};
    a.dwell = {.classScreen = 10,
               .roster = 15,
               .grades = 60.0 + 5 * variant,
               .homework = 40,
               .distraction = 30,
               .interest = 45,
               .extra = 20,
               .favourites = 20,
               .demanding = 20,
               .classmateQuestion = 12,
               .finish = 2};
    return a;
}

QByteArray page(const std::vector<Record>& records, const FileName& name = Class8A)
{
    ReportInput input;
    input.classes.push_back(
        {summarize(name, QStringLiteral("8А 0.17c"), records), sociomatrix(records), 0});
    return renderReport(input).toUtf8();
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each cell counts the questions, not the places; the columns are the respondents, then the
    // names chosen without a record; a self-choice counts; a mutual choice needs the same question.
    void sociomatrixOfHandMadeRecords()
    {
        const std::vector<Record> records{
            record(2, QStringLiteral("Абрамова"),
                   places(QStringList{"Белов", "Васильева"}, QStringList{"Белов"},
                          QStringList{"Белов", "Абрамова"}, QStringList{"Белов"})),
            record(3, QStringLiteral("Белов"),
                   places(QStringList{"Абрамова"}, QStringList{"Дмитриев"}, {}, {})),
            record(4, QStringLiteral("Васильева")),
            record(5, QStringLiteral("Егоров"), places({}, {}, {}, QStringList{"Абрамова"})),
        };
        const auto m = sociomatrix(records);
        QVERIFY(m);
        QCOMPARE(m->columns, (QStringList{"Абрамова", "Белов", "Васильева", "Егоров", "Дмитриев"}));
        QCOMPARE(m->respondentColumns, 4);
        QCOMPARE(m->rows[0].cells, (std::vector<int>{1, 4, 1, 0, 0}));
        QCOMPARE(m->rows[1].cells, (std::vector<int>{1, 0, 0, 0, 1}));
        QCOMPARE(m->rows[2].cells, (std::vector<int>{0, 0, 0, 0, 0}));
        QCOMPARE(m->rows[3].cells, (std::vector<int>{1, 0, 0, 0, 0}));
        QCOMPARE(m->received, (std::vector<int>{3, 4, 1, 0, 1}));
        QCOMPARE(m->rows[0].mutual, (std::vector<bool>{false, true, false, false, false}));
        QCOMPARE(m->rows[1].mutual, (std::vector<bool>{true, false, false, false, false}));
        QCOMPARE(m->mutualPairs.size(), std::size_t(1));
        QCOMPARE(m->mutualPairs[0].questions, std::vector<int>{0});
        QVERIFY(m->rows[0].choseSelf);
        QCOMPARE(m->stars, std::vector<int>{1});
        QCOMPARE(m->unchosen, std::vector<int>{3});
        QCOMPARE(m->rowsWithoutChoices, 1);
        QCOMPARE(m->nobodyByQuestion, (std::array<int, 4>{2, 2, 3, 2}));

        // The page shows the same: the header row is the names, each row a respondent, the last
        // row the totals; the marks are classes of the cells, the numbers stay numbers.
        const ReportPage::Page p = ReportPage::read(page(records));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QCOMPARE(p.sociomatrices.size(), std::size_t(1));
        const auto& rows = p.sociomatrices[0].rows;
        QCOMPARE(rows.size(), std::size_t(6));
        QCOMPARE(rows[0].mid(1), m->columns);
        QCOMPARE(rows[1], (QStringList{"Абрамова", "1", "4", "1", "", ""}));
        QCOMPARE(rows[4], (QStringList{"Егоров", "1", "", "", "", ""}));
        QCOMPARE(rows[5].mid(1), (QStringList{"3", "4", "1", "0", "1"}));
        QVERIFY(!m->columns.contains(rows[5][0]));
        const auto& tags = p.sociomatrices[0].cellTags;
        QCOMPARE(tags[1][1], QStringLiteral("own self"));
        QCOMPARE(tags[1][2], QStringLiteral("mutual"));
        QCOMPARE(tags[2][1], QStringLiteral("mutual"));
        QCOMPARE(tags[3][3], QStringLiteral("own"));
        QVERIFY(p.text.contains(QStringLiteral("Абрамова — Белов: за одной партой")));
        QVERIFY(p.text.contains(QStringLiteral("Не выбрал никто: Егоров.")));
        QVERIFY(p.text.contains(QStringLiteral("Анкет без единого выбора: 1 — Васильева")));
        QVERIFY(p.text.contains(QStringLiteral("Выбрали сами себя (выбор учтён): Абрамова.")));
    }

    // Names agree in their 12 characters: one column, a row for each record, and a warning.
    void twoPupilsOfOneCutName()
    {
        const std::vector<Record> records{
            record(2, QStringLiteral("Константинов"), places(QStringList{"Белов"}, {}, {}, {})),
            record(3, QStringLiteral("Белов"), places(QStringList{"Константинов"}, {}, {}, {})),
            record(4, QStringLiteral("Константинов"), places({}, QStringList{"Белов"}, {}, {})),
        };
        const auto m = sociomatrix(records);
        QVERIFY(m);
        QCOMPARE(m->columns, (QStringList{"Константинов", "Белов"}));
        QCOMPARE(m->sharedNames.size(), std::size_t(1));
        QCOMPARE(m->sharedNames[0].lines, (std::vector<qint64>{2, 4}));
        const ReportPage::Page p = ReportPage::read(page(records));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QCOMPARE(p.sociomatrices[0].rows.size(), std::size_t(5));
        QVERIFY(p.text.contains(
            QStringLiteral("Внимание: имя «Константинов» стоит в 2 анкетах (строки файла 2, 4)")));
        QCOMPARE(m->possiblyCut, std::vector<int>{0});
        QVERIFY(
            p.text.contains(QStringLiteral("могли быть обрезаны (в записи для имени 12 знаков): "
                                           "Константинов.")));
    }

    void classWithoutChoicesHasNoSociomatrix()
    {
        const std::vector<Record> records{record(2, QStringLiteral("Иванов")),
                                          record(3, QStringLiteral("Петров"))};
        QVERIFY(!sociomatrix(records));
        const ReportPage::Page p = ReportPage::read(page(records));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QVERIFY(p.sociomatrices.empty());
        QVERIFY(p.text.contains(QStringLiteral("социоматрицы нет")));
    }

    // A name from a file is text on the page, wherever it stands: never an element, never an
    // attribute's end.
    void hostileNamesAreText()
    {
        const QString script = QStringLiteral("<script>");
        const QString quotes = QStringLiteral("\"&'");
        const QString closing = QStringLiteral("</td><b>");
        const std::vector<Record> records{
            record(2, script, places(QStringList{quotes, closing}, {}, {}, {})),
            record(3, quotes, places(QStringList{script}, {}, {}, {})),
        };
        const QByteArray html = page(records);
        QVERIFY(!html.contains("<script"));
        QVERIFY(!html.contains("</td><b>"));
        const ReportPage::Page p = ReportPage::read(html);
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QVERIFY(!p.elementNames.contains(QStringLiteral("script")));
        QCOMPARE(p.sociomatrices[0].rows[0].mid(1), (QStringList{script, quotes, closing}));
        QCOMPARE(p.sociomatrices[0].rows[1].first(), script);
        QVERIFY(p.text.contains(script + QStringLiteral(" — ") + quotes));
    }

    // Means take the steps as numbers, medians lie between the middle values, and unreal seconds
    // are listed but kept out of the median. Class 6 has no physics and no chemistry, and its
    // algebra is mathematics.
    void figuresOfAClass()
    {
        std::vector<Record> records{record(2, QStringLiteral("А")), record(3, QStringLiteral("Б")),
                                    record(4, QStringLiteral("В")), record(5, QStringLiteral("Г"))};
        const char* const grades[] = {"2.3", "3", "4.7", "5"};
        const char* const homework[] = {"10", "20", "90", "90"};
        const qint32 seconds[] = {100, 1200, 300, -5};
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].answers.grades[0] = QString::fromLatin1(grades[i]);
            records[i].answers.homework[0] = QString::fromLatin1(homework[i]);
            records[i].answers.genderCode = i < 3 ? QStringLiteral("0") : QStringLiteral("1");
            records[i].answers.gradesSeconds = seconds[i];
            records[i].answers.extra[2] = QString::number(i * 3);
        }
        records[0].answers.favourite = {QStringLiteral("1"), QStringLiteral("4"),
                                        QStringLiteral("1")};
        const ClassSummary c =
            summarize({QStringLiteral("6"), QString(), 2018}, QStringLiteral("6 0.18c"), records);
        QCOMPARE(c.respondents, 4);
        QCOMPARE(c.girls, 3);
        QCOMPARE(c.boys, 1);
        QCOMPARE(c.subjects.size(), std::size_t(8));
        const SubjectSummary& maths = c.subjects[0];
        QCOMPARE(maths.name, QStringLiteral("Математика"));
        QCOMPARE(maths.gradeCounts, (std::array<int, 10>{0, 1, 0, 1, 0, 0, 0, 0, 1, 1}));
        QCOMPARE(*maths.meanGrade, (2.3 + 3 + 4.7 + 5) / 4);
        QCOMPARE(*maths.medianHomework, 55.0);
        QCOMPARE(*c.subjects[1].meanGrade, 4.0);
        QCOMPARE(c.teachers[0].favourite, 4); // the doubled mark counts its pupil once
        QCOMPARE(c.teachers[0].demanding, 0);
        QCOMPARE(*c.areas[2].mean, 4.5);
        QCOMPARE(*c.gradesSeconds.median, 200.0);
        QCOMPARE(c.gradesSeconds.real, 2);
        QCOMPARE(c.gradesSeconds.unreal, (std::vector<qint32>{1200, -5}));

        ReportInput input;
        input.classes.push_back({c, std::nullopt, 0});
        const ReportPage::Page p = ReportPage::read(renderReport(input).toUtf8());
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QVERIFY(p.text.contains(QStringLiteral("Класс 6 — 2018 год")));
        QVERIFY(p.text.contains(QStringLiteral("Математика")));
        QVERIFY(!p.text.contains(QStringLiteral("Физика")));
        QVERIFY(p.text.contains(QStringLiteral("3,75")));
        QVERIFY(p.text.contains(QStringLiteral("200 с (3:20)")));
        QVERIFY(p.text.contains(QStringLiteral("1200 с, -5 с — не учтены")));
        QCOMPARE(p.elementNames.count(QStringLiteral("svg")), 8 + 2);
    }

    // The largest roster: forty columns go on a landscape page of their own with smaller type.
    void fortyPupilsMakeAWideMatrix()
    {
        std::vector<Record> records;
        for (int i = 0; i < 40; ++i)
            records.push_back(record(
                i + 2, QStringLiteral("Ученик%1").arg(i, 2, 10, QChar(u'0')),
                places(
                    QStringList{QStringLiteral("Ученик%1").arg((i + 1) % 40, 2, 10, QChar(u'0'))},
                    {}, {}, {})));
        const ReportPage::Page p = ReportPage::read(page(records));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QCOMPARE(p.sociomatrices[0].rows.size(), std::size_t(42));
        QCOMPARE(p.sociomatrices[0].rows[0].size(), 41);
        QCOMPARE(p.sociogramClasses.size(), std::size_t(1));
        QVERIFY(p.sociogramClasses[0].contains(QStringLiteral("wide")));
    }

    // Pupils of 8 А walk through the real screens, one program run each, in one working folder:
    // three pick themselves from the roster and click classmates, then the roster is gone and a
    // fourth types his name. The report's matrix holds exactly what they clicked.
    void sociomatrixOfWholeRuns()
    {
        using namespace respondent;
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("STAT")));
        const QString roster = QDir(folder.path()).filePath(QStringLiteral("8А.xls"));
        QVERIFY(QFile::copy(RosterFixtures::path(QStringLiteral("roster25.xls")), roster));
        struct Pupil
        {
            std::optional<int> rosterRow;
            std::array<QList<int>, 4> clicks;
            std::optional<QString> typed;
        };
        // Rows of the roster: 0 Абрамова, 1 Белов, 2 Васильева, 9 Кузнецов, 24 Щербакова.
        const std::vector<Pupil> pupils{
            {9, {QList<int>{0, 1}, QList<int>{9}, QList<int>{}, QList<int>{0, 2, 24}}, {}},
            {0, {QList<int>{9}, QList<int>{9}, QList<int>{1, 9}, QList<int>{}}, {}},
            {1, {}, {}},
            {std::nullopt, {}, QStringLiteral("Горбунов")},
        };
        for (std::size_t n = 0; n < pupils.size(); ++n) {
            respondent::Answers a = pupilOfEightA(static_cast<int>(n));
            a.rosterRow = pupils[n].rosterRow;
            a.classmates = pupils[n].clicks;
            a.typedSurname = pupils[n].typed;
            if (!a.rosterRow)
                QVERIFY(QFile::remove(roster));
            TestRun test(folder.path(),
                         QDateTime(QDate(2017, 3, 14), QTime(9 + static_cast<int>(n), 0)));
            test.start();
            STEP(walk(test, a));
            QVERIFY(test.ended());
        }

        const QString html = QDir(folder.path()).filePath(QStringLiteral("report.html"));
        const toolrun::Result r =
            toolrun::run({QStringLiteral("report"), folder.path(), QStringLiteral("-o"), html});
        QCOMPARE(r.status, int(SurveyData::Success));
        QCOMPARE(r.err, QString());
        const ReportPage::Page p = ReportPage::read(files::readBytes(html));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QCOMPARE(p.sociomatrices.size(), std::size_t(1));
        const auto& rows = p.sociomatrices[0].rows;
        QCOMPARE(rows.size(), std::size_t(6));
        QCOMPARE(rows[0].mid(1), (QStringList{"Кузнецов", "Абрамова", "Белов", "Горбунов",
                                              "Васильева", "Щербакова"}));
        QCOMPARE(rows[1], (QStringList{"Кузнецов", "1", "2", "1", "", "1", "1"}));
        QCOMPARE(rows[2], (QStringList{"Абрамова", "3", "", "1", "", "", ""}));
        QCOMPARE(rows[3], (QStringList{"Белов", "", "", "", "", "", ""}));
        QCOMPARE(rows[4], (QStringList{"Горбунов", "", "", "", "", "", ""}));
        QCOMPARE(rows[5].mid(1), (QStringList{"4", "2", "2", "0", "1", "1"}));
        const auto& tags = p.sociomatrices[0].cellTags;
        QCOMPARE(tags[1][1], QStringLiteral("own self")); // Кузнецов chose himself as class head
        QCOMPARE(tags[1][2], QStringLiteral("mutual")); // he and Абрамова: a desk mate each
        QCOMPARE(tags[2][1], QStringLiteral("mutual"));
        QVERIFY(p.text.contains(QStringLiteral("Анкет без единого выбора: 2 — Белов, Горбунов")));
    }

    // The usual manners of survey-data: help, no page on a terminal, a missing path, never over
    // a statistics file.
    void commandLine()
    {
        using toolrun::run;
        const auto help = run({QStringLiteral("report"), QStringLiteral("--help")});
        QCOMPARE(help.status, int(SurveyData::Success));
        QVERIFY(help.out.startsWith("Использование: survey-data report"));

        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("STAT")));
        ReportFixtures::writeClass(folder.path(), QStringLiteral("7"), QString(), 2017,
                                   {{QStringLiteral("Иванов"), false, {}}});
        const auto terminal = run({QStringLiteral("report"), folder.path()}, false, true);
        QCOMPARE(terminal.status, int(SurveyData::UsageError));
        QCOMPARE(terminal.out, QByteArray());
        QVERIFY(terminal.err.contains(QStringLiteral("-o")));
        const auto piped = run({QStringLiteral("report"), folder.path()});
        QCOMPARE(piped.status, int(SurveyData::Success));
        QVERIFY(piped.out.startsWith("<!DOCTYPE html>"));

        const QString html = QDir(folder.path()).filePath(QStringLiteral("report.html"));
        const auto nothing = run({QStringLiteral("report"), folder.path() + QStringLiteral("/нет"),
                                  QStringLiteral("-o"), html});
        QCOMPARE(nothing.status, int(SurveyData::UsageError));
        QVERIFY(!QFileInfo::exists(html));

        const QString statistics = folder.path() + QStringLiteral("/STAT/7 0.17c");
        const QByteArray before = files::readBytes(statistics);
        const auto over =
            run({QStringLiteral("report"), folder.path(), QStringLiteral("-o"), statistics});
        QCOMPARE(over.status, int(SurveyData::UsageError));
        QCOMPARE(files::readBytes(statistics), before);
    }

    // An invalid record is left out and counted, with the very lines on standard error that
    // export writes for it, and the same exit status.
    void invalidRecordsAsExportReportsThem()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("STAT")));
        ReportFixtures::writeClass(
            folder.path(), QStringLiteral("9"), QStringLiteral("В"), 2017,
            {{QStringLiteral("Орлова"), true, {}}, {QStringLiteral("Гусев"), false, {}}});
        const QString statistics = folder.path() + QStringLiteral("/STAT/9В 0.17c");
        QByteArray bytes = files::readBytes(statistics);
        bytes.insert(bytes.indexOf("\r\n") + 2, "broken line\r\n"); // after the counter line
        QVERIFY(files::writeBytes(statistics, bytes));

        const auto exported = toolrun::run({QStringLiteral("export"), folder.path()});
        const QString html = QDir(folder.path()).filePath(QStringLiteral("report.html"));
        const auto report =
            toolrun::run({QStringLiteral("report"), folder.path(), QStringLiteral("-o"), html});
        QCOMPARE(exported.status, int(SurveyData::InvalidData));
        QCOMPARE(report.status, int(SurveyData::InvalidData));
        QVERIFY(!report.err.isEmpty());
        QCOMPARE(report.errLines(), exported.errLines());
        const ReportPage::Page p = ReportPage::read(files::readBytes(html));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QVERIFY(p.text.contains(QStringLiteral("Ошибочных записей пропущено: 1")));
        QVERIFY(p.text.contains(QStringLiteral("Анкет: 2")));
    }
};

SURVEY_TEST_MAIN(TestReport)
#include "tst_report.moc"
