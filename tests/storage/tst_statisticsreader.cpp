// The reading side of the statistics files: every place of a record against its value set and
// the class rules, and whole files, damaged ones included, read line by line.

#include "storage/StatisticsReader.h"
#include "support/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace StatisticsReader;

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

QByteArray place(const QByteArray& value)
{
    return value.leftJustified(12, ' ');
}

QByteArray places(const QByteArrayList& values)
{
    QByteArray bytes;
    for (const QByteArray& value : values)
        bytes += place(value);
    return bytes;
}

// A respondent of class 8 written out place by place, in record order. "Орлова", "Ли" followed by
// a no-break space, and "Ёж" are in Windows-1251.
QByteArrayList gradesOf8()
{
    return {"4.3", "3", "2.7", "5", "4", "3.7", "2", "2.3", "4.7", "3.3"};
}

QByteArray recordOf8()
{
    return place("\xce\xf0\xeb\xee\xe2\xe0") + place("0") + places(gradesOf8()) +
           places({"0", "10", "20", "30", "40", "60", "90", "0", "10", "20"}) +
           places({"0", "5", "10", "20", "30", "40", "0", "5", "10", "20"}) +
           places({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) + places({"7", "1", "10"}) +
           places({"2", "9", "6"}) + places({"4", "0", "9", "1", "6"}) +
           places({"\xcb\xe8\xa0", "", "", "\xa8\xe6", "", "", "", "", "", "", "", ""}) +
           places({"95", "751"});
}

// Class 5 has no physics and no chemistry: their places hold "0".
QByteArray recordOf5()
{
    return place("") + place("1") +
           places({"5", "0", "0", "4", "4.7", "3", "2.3", "5", "4", "3.7"}) +
           places({"90", "0", "0", "10", "20", "30", "40", "60", "0", "10"}) +
           places({"40", "0", "0", "30", "20", "10", "5", "0", "5", "10"}) +
           places({"9", "0", "0", "7", "6", "5", "4", "3", "2", "1"}) + places({"1", "10", "4"}) +
           places({"8", "9", "6"}) + places({"0", "0", "0", "0", "0"}) + QByteArray(144, ' ') +
           places({"1000", "-5"});
}

// The record with the bytes from position `at` (counted from 1) replaced.
QByteArray changed(QByteArray record, int at, const QByteArray& bytes)
{
    return record.replace(at - 1, bytes.size(), bytes);
}

QByteArray fileOf(const QByteArrayList& lines, const QByteArray& lineEnd = CrLf)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

QStringList problemsOf(const FileContents& contents)
{
    QStringList list;
    for (const Problem& p : contents.problems)
        list.append(QStringLiteral("%1: %2").arg(p.line).arg(p.reason));
    return list;
}

QList<qint64> validLines(const FileContents& contents)
{
    QList<qint64> lines;
    for (const Record& r : contents.records)
        lines.append(r.line);
    return lines;
}

// The largest resident size the process has had, in bytes; 0 where the system does not tell.
qint64 peakResidentBytes()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
#endif
    return 0;
}

} // namespace

class TestStatisticsReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("classNumber"); // empty: not a statistics file's name
        QTest::addColumn<QString>("stream");
        QTest::addColumn<int>("year");
        QTest::newRow("7Б 0.17c") << "7Б 0.17c"
                                  << "7"
                                  << "Б" << 2017;
        QTest::newRow("no stream") << "11 0.09c"
                                   << "11"
                                   << "" << 2009;
        QTest::newRow("class 4") << "4А 0.17c"
                                 << ""
                                 << "" << 0;
        QTest::newRow("class 12") << "12А 0.17c"
                                  << ""
                                  << "" << 0;
        QTest::newRow("Latin A") << "7A 0.17c"
                                 << ""
                                 << "" << 0;
        QTest::newRow("stream Ж") << "7Ж 0.17c"
                                  << ""
                                  << "" << 0;
        QTest::newRow("four-digit year") << "7Б 0.2017c"
                                         << ""
                                         << "" << 0;
        QTest::newRow("saver's temporary") << "7Б 0.17c.tmp"
                                           << ""
                                           << "" << 0;
        QTest::newRow("Cyrillic с") << "7Б 0.17с"
                                    << ""
                                    << "" << 0;
        QTest::newRow("lock file") << "save.lock"
                                   << ""
                                   << "" << 0;
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, classNumber);
        const std::optional<FileName> parsed = parseFileName(name);
        QCOMPARE(parsed.has_value(), !classNumber.isEmpty());
        if (!parsed)
            return;
        QCOMPARE(parsed->classNumber, classNumber);
        QTEST(parsed->stream, "stream");
        QTEST(parsed->year, "year");
    }

    void counterLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<qint64>("counter"); // -1: not a counter
        QTest::newRow("digits") << QByteArray("25") << qint64(25);
        QTest::newRow("blanks and a sign before") << QByteArray("  +7") << qint64(7);
        QTest::newRow("negative") << QByteArray("-3") << qint64(-3);
        QTest::newRow("blank after") << QByteArray("7 ") << qint64(-1);
        QTest::newRow("tab before") << QByteArray("\t7") << qint64(-1);
        QTest::newRow("sign alone") << QByteArray(" -") << qint64(-1);
        QTest::newRow("empty") << QByteArray() << qint64(-1);
        QTest::newRow("beyond 64 bits") << QByteArray("9223372036854775808") << qint64(-1);
    }
    void counterLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(qint64, counter);
        QCOMPARE(parseCounterLine(line).value_or(-1), counter);
    }

    // Every answer arrives in its place, its trailing blanks (U+0020 only) taken off.
    void validRecordAnswers()
    {
        const LineResult result = parseRecordLine(recordOf8(), QStringLiteral("8"));
        QVERIFY2(result.answers, qPrintable(result.reason));
        const Answers& a = *result.answers;
        QCOMPARE(a.surname, QStringLiteral("Орлова"));
        QCOMPARE(a.genderCode, QStringLiteral("0"));
        for (std::size_t n = 0; n < 10; ++n)
            QCOMPARE(a.grades[n], QString::fromLatin1(gradesOf8()[static_cast<qsizetype>(n)]));
        QCOMPARE(a.homework[6], QStringLiteral("90"));
        QCOMPARE(a.distraction[5], QStringLiteral("40"));
        QCOMPARE(a.interest[9], QStringLiteral("9"));
        QCOMPARE(a.favourite, (std::array<QString, 3>{"7", "1", "10"}));
        QCOMPARE(a.demanding, (std::array<QString, 3>{"2", "9", "6"}));
        QCOMPARE(a.extra, (std::array<QString, 5>{"4", "0", "9", "1", "6"}));
        QCOMPARE(a.classmates[0], QStringLiteral("Ли\u00a0"));
        QCOMPARE(a.classmates[3], QStringLiteral("Ёж"));
        QCOMPARE(a.classmates[11], QString());
        QCOMPARE(a.gradesSeconds, 95);
        QCOMPARE(a.demandingSeconds, 751);
    }

    void recordLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("reason"); // empty: a valid record
        const QByteArray r8 = recordOf8();
        const QByteArray r5 = recordOf5();
        QTest::newRow("class 8") << r8 << "8"
                                 << "";
        QTest::newRow("class 5, unreal and negative seconds") << r5 << "5"
                                                              << "";
        QTest::newRow("class 7 has no chemistry")
            << r8 << "7"
            << "поз. 49–60 (оценка: химия): этого предмета "
               "нет в 7 классе, должно быть «0», а стоит «2.7»";
        QTest::newRow("not taught, homework") << changed(r5, 157, "10") << "5"
                                              << "поз. 157–168 (домашнее задание: физика): этого "
                                                 "предмета нет в 5 классе, должно быть «0», а "
                                                 "стоит «10»";
        QTest::newRow("792 characters") << r8.left(792) << "8"
                                        << "длина записи 792 вместо 804: старая запись, в которой "
                                           "не записано одно из значений секунд (1000 или больше)";
        QTest::newRow("780 characters") << r8.left(780) << "8"
                                        << "длина записи 780 вместо 804: старая запись, в которой "
                                           "не записаны оба значения секунд (1000 или больше)";
        QTest::newRow("803 characters") << r8.left(803) << "8"
                                        << "длина записи 803 вместо 804";
        QTest::newRow("bad grade code")
            << changed(r8, 25, "6  ") << "8"
            << "поз. 25–36 (оценка: алгебра): недопустимое значение «6»";
        QTest::newRow("mathematics below class 7")
            << changed(r5, 25, "1") << "5"
            << "поз. 25–36 (оценка: математика): недопустимое значение «1»";
        QTest::newRow("no 50 minutes of homework")
            << changed(r8, 145, "50") << "8"
            << "поз. 145–156 (домашнее задание: алгебра): недопустимое значение «50»";
        QTest::newRow("no-break space after a grade")
            << changed(r8, 25, "4\xa0 ") << "8"
            << "поз. 25–36 (оценка: алгебра): недопустимое значение «4\u00a0»";
        QTest::newRow("blank before a grade")
            << changed(r8, 25, " 4.3") << "8"
            << "поз. 25–36 (оценка: алгебра): недопустимое значение « 4.3»";
        QTest::newRow("gender 2") << changed(r8, 13, "2") << "8"
                                  << "поз. 13–24 (пол): недопустимое значение «2»";
        QTest::newRow("duplicated teacher code")
            << changed(r8, 529, "7 ") << "8"
            << "поз. 529–540 (любимые учителя): предмет 7 (литература) отмечен дважды";
        QTest::newRow("chemistry teacher in class 7")
            << changed(changed(changed(changed(changed(r8, 49, "0  "), 169, "0 "), 289, "0 "), 409,
                               "0"),
                       541, "3")
            << "7"
            << "поз. 541–552 (требовательные учителя): предмет 3 (химия) — его нет в 7 классе";
        QTest::newRow("leading zero in a teacher code")
            << changed(r8, 541, "02") << "8"
            << "поз. 541–552 (требовательные учителя): недопустимое "
               "значение «02»";
        QTest::newRow("extra 10") << changed(r8, 577, "10") << "8"
                                  << "поз. 577–588 (дополнительные области: экономика и "
                                     "финансы): недопустимое значение «10»";
        QTest::newRow("seconds not a number")
            << changed(r8, 781, "9 5") << "8"
            << "поз. 781–792 (секунды на экране оценок): недопустимое значение «9 5»";
        QTest::newRow("byte 0x98") << changed(r8, 3, "\x98") << "8"
                                   << "поз. 3 (фамилия): байт 0x98 — в кодировке Windows-1251 "
                                      "такого знака нет";
        QTest::newRow("control byte in a name") << changed(r8, 640, QByteArray(1, '\0')) << "8"
                                                << "поз. 640 (выбор одноклассников): управляющий "
                                                   "байт 0x00 — в записи его быть не может";
    }
    void recordLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, classNumber);
        QFETCH(QString, reason);
        const LineResult result = parseRecordLine(line, classNumber);
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.answers.has_value(), reason.isEmpty());
    }

    // Whole files: each problem on its line, the valid records still read.
    void files_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("problems"); // "LINE: the start of the reason"
        QTest::addColumn<QList<qint64>>("valid");
        const QByteArray r = recordOf8();
        const QString name = QStringLiteral("8А 0.17c");
        QTest::newRow("sound") << name << fileOf({"2", r, r}) << QStringList()
                               << QList<qint64>{2, 3};
        QTest::newRow("LF") << name << fileOf({"2", r, r}, "\n") << QStringList()
                            << QList<qint64>{2, 3};
        QTest::newRow("CR") << name << fileOf({"2", r, r}, "\r") << QStringList()
                            << QList<qint64>{2, 3};
        QTest::newRow("no line end at the end")
            << name << fileOf({"2", r}) + r << QStringList() << QList<qint64>{2, 3};
        QTest::newRow("counter as the saver reads it")
            << name << fileOf({"  +2", r, r}) << QStringList() << QList<qint64>{2, 3};
        QTest::newRow("792-character record")
            << name << fileOf({"3", r, r.left(792), r})
            << QStringList{"3: длина записи 792 вместо 804: старая запись"} << QList<qint64>{2, 4};
        QTest::newRow("bad grade code")
            << name << fileOf({"2", changed(r, 37, "1"), r})
            << QStringList{"2: поз. 37–48 (оценка: физика): недопустимое значение «1»"}
            << QList<qint64>{3};
        QTest::newRow("duplicated teacher code")
            << name << fileOf({"2", r, changed(r, 565, "9")})
            << QStringList{"3: поз. 565–576 (требовательные учителя): предмет 9"}
            << QList<qint64>{2};
        QTest::newRow("wrong counter")
            << name << fileOf({"5", r, r})
            << QStringList{"1: счётчик записей в первой строке — 5, а записей в файле 2"}
            << QList<qint64>{2, 3};
        QTest::newRow("counter not a number")
            << name << fileOf({"2 \xe7\xe0\xef\xe8\xf1\xe8", r, r})
            << QStringList{"1: первая строка — не счётчик записей: «2 записи»"}
            << QList<qint64>{2, 3};
        QTest::newRow("byte outside the code page")
            << name << fileOf({"2", changed(r, 700, "\x98"), r})
            << QStringList{"2: поз. 700 (выбор одноклассников): байт 0x98"} << QList<qint64>{3};
        QTest::newRow("empty line") << name << fileOf({"2", r, "", r})
                                    << QStringList{"1: счётчик записей в первой строке — 2, а "
                                                   "записей в файле 3",
                                                   "3: пустая строка вместо записи"}
                                    << QList<qint64>{2, 4};
        QTest::newRow("line beyond the bound")
            << name << fileOf({"2", QByteArray(5000, 'x'), r})
            << QStringList{"2: строка длиной 5000 байт — не запись"} << QList<qint64>{3};
        QTest::newRow("empty file")
            << name << QByteArray()
            << QStringList{"0: файл пуст: в нём нет ни счётчика, ни записей"} << QList<qint64>{};
        QTest::newRow("class 5 file, class 8 record")
            << QStringLiteral("5 0.17c") << fileOf({"1", r})
            << QStringList{"2: поз. 37–48 (оценка: физика): этого предмета нет в 5 классе"}
            << QList<qint64>{};
        QTest::newRow("name without a class")
            << QStringLiteral("copy of 8А.txt") << fileOf({"1", r})
            << QStringList{"0: имя файла не по правилу"} << QList<qint64>{};
        // The CR of record 81 is the last byte of the reader's first 64 KiB, its LF the first of
        // the next: still one line end.
        QByteArrayList lines{QByteArray(65535 - 804 - 80 * 806 - 2 - 2, ' ') + "82"};
        for (int i = 0; i < 82; ++i)
            lines.append(r);
        QList<qint64> all;
        for (qint64 line = 2; line <= 83; ++line)
            all.append(line);
        QTest::newRow("CR LF across the buffer") << name << fileOf(lines) << QStringList() << all;
    }
    void files()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, problems);
        QFETCH(QList<qint64>, valid);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(files::writeBytes(path, bytes));

        const FileContents contents = readFile(path);
        const QStringList found = problemsOf(contents);
        QCOMPARE(found.size(), problems.size());
        for (qsizetype i = 0; i < found.size(); ++i)
            QVERIFY2(found[i].startsWith(problems[i]), qPrintable(found[i]));
        QCOMPARE(validLines(contents), valid);
        QCOMPARE(contents.validRecords, qint64(valid.size()));

        // Streamed, the same records and problems arrive one by one and nothing is kept.
        QList<qint64> streamed;
        QStringList streamedProblems;
        const FileContents summary = readFile(
            path, {[&](const Record& r) { streamed.append(r.line); },
                   [&](const Problem& p) {
                       streamedProblems.append(QStringLiteral("%1: %2").arg(p.line).arg(p.reason));
                   }});
        QCOMPARE(streamed, valid);
        std::stable_sort(streamedProblems.begin(), streamedProblems.end(),
                         [](const QString& a, const QString& b) {
                             return a.section(':', 0, 0).toInt() < b.section(':', 0, 0).toInt();
                         });
        QCOMPARE(streamedProblems, found);
        QVERIFY(summary.records.empty() && summary.problems.empty());
        QCOMPARE(summary.recordLines, contents.recordLines);
        QCOMPARE(summary.counter, contents.counter);
    }

    // Bytes of every value: line 1 is no counter, every other line is reported once, nothing is
    // taken for a record.
    void binaryFile()
    {
        QByteArray binary;
        for (int i = 0; i < 3000; ++i)
            binary += static_cast<char>((i * 37 + i / 7) % 256);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("8А 0.17c"));
        QVERIFY(files::writeBytes(path, binary));
        const FileContents contents = readFile(path);
        QVERIFY(contents.recordLines > 10);
        QVERIFY(contents.records.empty());
        QCOMPARE(qint64(contents.problems.size()), contents.recordLines + 1);
        QCOMPARE(contents.problems[0].line, qint64(1));
        for (qint64 line = 2; line <= contents.recordLines + 1; ++line)
            QCOMPARE(contents.problems[static_cast<std::size_t>(line - 1)].line, line);
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const FileContents contents = readFile(dir.filePath(QStringLiteral("8А 0.17c")));
        QCOMPARE(contents.problems.size(), std::size_t(1));
        QCOMPARE(contents.problems[0].line, qint64(0));
        QVERIFY2(contents.problems[0].reason.startsWith(QStringLiteral("файл не открывается")),
                 qPrintable(contents.problems[0].reason));
    }

    // 2 GiB of which only the first record was ever written: the rest is one line of zero bytes,
    // reported with its length and never loaded.
    void sparseTwoGigabytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("8А 0.17c"));
        const QByteArray head = fileOf({"1", recordOf8()});
        const qint64 size = (qint64(2) << 30) + 5;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(head), head.size());
            QVERIFY(file.resize(size));
        }
        const qint64 peakBefore = peakResidentBytes();
        const FileContents contents = readFile(path);
        const qint64 peakGrowth = peakResidentBytes() - peakBefore;

        QCOMPARE(validLines(contents), QList<qint64>{2});
        QCOMPARE(contents.recordLines, qint64(2));
        const QStringList wanted{
            QStringLiteral("1: счётчик записей в первой строке — 1, а записей в файле 2"),
            QStringLiteral("3: строка длиной %1 байт — не запись (в записи 804 знака), строка не "
                           "прочитана")
                .arg(size - head.size())};
        QCOMPARE(problemsOf(contents), wanted);
        QVERIFY2(peakGrowth < 64 * 1024 * 1024,
                 qPrintable(QStringLiteral("the peak grew by %1 bytes").arg(peakGrowth)));
    }
};

QTEST_GUILESS_MAIN(TestStatisticsReader)
#include "tst_statisticsreader.moc"
