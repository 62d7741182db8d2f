// The class report: its figures and sociomatrix from hand-made records, the page it renders read
// back as XML, and a STAT folder written by whole runs of the program turned into a report by
// the survey-data command.

#include "ReportPage.h"
#include "tools/ReportHtml.h"

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
};

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
