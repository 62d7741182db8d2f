// The data dictionary docs/record-layout.md against the code it describes: its generated tables
// must be what the record layout, the answer codes and the subject catalogue give today.
#include "support/Files.h"
#include "tools/Export.h"
#include "tools/RecordDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Regenerate = QStringLiteral(
    "Regenerate the tables with: cmake --build --preset default --target update-record-layout");

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The line of the generated tables that holds `start` in its first cells, or an empty text.
QString lineStarting(const QString& tables, const QString& start)
{
    for (const QString& line : tables.split(QLatin1Char('\n')))
        if (line.startsWith(start))
            return line;
    return QString();
}

QString marked(const QString& part)
{
    return QLatin1String(RecordDictionary::BeginMarker) + QLatin1Char('\n') + part +
           QLatin1String(RecordDictionary::EndMarker);
}

} // namespace

class TestRecordDictionary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void documentAgreesWithTheCode()
    {
        const QString document = readText(QStringLiteral(RECORD_LAYOUT_PATH));
        QVERIFY2(!document.isEmpty(), RECORD_LAYOUT_PATH " cannot be read");
        const std::optional<QString> part = RecordDictionary::generatedPart(document);
        QVERIFY2(part, "docs/record-layout.md lacks its marker lines, each once");
        const QString code = RecordDictionary::tables();
        if (*part == code)
            return;

        const QStringList have = part->split(QLatin1Char('\n'));
        const QStringList want = code.split(QLatin1Char('\n'));
        qsizetype at = 0;
        while (at < have.size() && at < want.size() && have.at(at) == want.at(at))
            ++at;
        const qsizetype markerLine =
            document.left(document.indexOf(QLatin1String(RecordDictionary::BeginMarker)))
                .count(QLatin1Char('\n')) +
            1;
        const QString message =
            QStringLiteral("docs/record-layout.md, line %1, differs from the code:\n"
                           "  document: %2\n  code:     %3\n%4")
                .arg(markerLine + 1 + at)
                .arg(at < have.size() ? have.at(at) : QStringLiteral("(end of the tables)"),
                     at < want.size() ? want.at(at) : QStringLiteral("(end of the tables)"),
                     Regenerate);
        QFAIL(qPrintable(message));
    }

    // Places whose positions follow from the record's rules alone: subject n of a field at the
    // field's start + (n − 1) × 12, the extra areas after the teacher fields, the classmate
    // places question by question.
    void everyExportColumnIsNamedInTheDocument()
    {
        // The export writes its header from its own list; an analyst looks a column up here.
        const QString document = readText(QStringLiteral(RECORD_LAYOUT_PATH));
        QVERIFY2(!document.isEmpty(), RECORD_LAYOUT_PATH " cannot be read");
        const QStringList columns = SurveyData::exportColumns();
        QCOMPARE(columns.size(), 7 + 10 * 4 + 6 + 5 + 12 + 2);
        for (const QString& column : columns)
            QVERIFY2(document.contains(QLatin1Char('`') + column + QLatin1Char('`')),
                     qPrintable(column + QStringLiteral(" is not in the document")));
    }

    void placesStandWhereTheRecordPutsThem_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("column");
        QTest::newRow("surname") << "| 1–12 | `Surname` |"
                                 << "`surname`";
        QTest::newRow("gender") << "| 13–24 | `GenderCode` |"
                                << "`gender`";
        QTest::newRow("algebra grade") << "| 25–36 | `GradesAnswer` | 1 |"
                                       << "`grade_algebra`";
        QTest::newRow("physics grade, second in record order") << "| 37–48 | `GradesAnswer` | 2 |"
                                                               << "`grade_physics`";
        QTest::newRow("history homework") << "| 181–192 | `HomeworkAnswer` | 4 |"
                                          << "`homework_history`";
        QTest::newRow("chemistry distraction") << "| 289–300 | `DistractionAnswer` | 3 |"
                                               << "`distraction_chemistry`";
        QTest::newRow("informatics interest") << "| 493–504 | `InterestAnswer` | 10 |"
                                              << "`interest_informatics`";
        QTest::newRow("third demanding") << "| 565–576 | `DemandingTeachersAnswer` | 3 |"
                                         << "`demanding_3`";
        QTest::newRow("economics after the teachers") << "| 577–588 | `ExtraAnswer` | 1 |"
                                                      << "`extra_1`";
        QTest::newRow("military education") << "| 625–636 | `ExtraAnswer` | 5 |"
                                            << "`extra_5`";
        QTest::newRow("first class head") << "| 673–684 | `ClassmateChoiceAnswer` | 2.1 |"
                                          << "`class_head_1`";
        QTest::newRow("last olympiad choice") << "| 769–780 | `ClassmateChoiceAnswer` | 4.3 |"
                                              << "`olympiad_3`";
        QTest::newRow("demanding seconds") << "| 793–804 | `DemandingTeachersSeconds` |"
                                           << "`demanding_seconds`";
    }
    void placesStandWhereTheRecordPutsThem()
    {
        QFETCH(QString, start);
        QFETCH(QString, column);
        const QString line = lineStarting(RecordDictionary::tables(), start);
        QVERIFY2(!line.isEmpty(), qPrintable(start));
        QVERIFY2(line.endsWith(QStringLiteral("| ") + column + QStringLiteral(" |")),
                 qPrintable(line));
    }

    // The classes without physics and chemistry, and the teacher codes that cannot occur there.
    void classesTellTheirSubjects_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("5") << "| 5 | 1, 4–10 | 2, 3 | 1, 4–10 |";
        QTest::newRow("6") << "| 6 | 1, 4–10 | 2, 3 | 1, 4–10 |";
        QTest::newRow("7") << "| 7 | 1, 2, 4–10 | 3 | 1, 2, 4–10 |";
        QTest::newRow("8") << "| 8 | 1–10 | none | 1–10 |";
        QTest::newRow("11") << "| 11 | 1–10 | none | 1–10 |";
    }
    void classesTellTheirSubjects()
    {
        QFETCH(QString, line);
        QVERIFY2(RecordDictionary::tables().split(QLatin1Char('\n')).contains(line),
                 qPrintable(line));
    }

    void regeneratingReplacesOnlyTheMarkedPart()
    {
        const QString before = QStringLiteral("# Title\n\nProse.\n\n");
        const QString after = QStringLiteral("\n\nMore prose.\n");
        const QString stale = before + marked(QStringLiteral("| old | table |\n")) + after;
        QCOMPARE(RecordDictionary::regenerated(stale).value_or(QStringLiteral("(refused)")),
                 before + marked(RecordDictionary::tables()) + after);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("record-layout.md"));
        QVERIFY(files::writeBytes(path, stale.toUtf8()));
        bool changed = false;
        QCOMPARE(RecordDictionary::updateDocument(path, &changed), QString());
        QVERIFY(changed);
        QCOMPARE(readText(path), before + marked(RecordDictionary::tables()) + after);
        QCOMPARE(RecordDictionary::updateDocument(path, &changed), QString());
        QVERIFY(!changed);
    }

    void documentWithoutItsMarkersIsRefused_data()
    {
        QTest::addColumn<QString>("document");
        const QString begin = QLatin1String(RecordDictionary::BeginMarker) + QLatin1Char('\n');
        const QString end = QLatin1String(RecordDictionary::EndMarker);
        QTest::newRow("no markers") << QStringLiteral("# Title\n");
        QTest::newRow("no end") << QStringLiteral("# Title\n") + begin + QStringLiteral("x\n");
        QTest::newRow("end first") << end + QStringLiteral("\n") + begin;
        QTest::newRow("two parts") << marked(QString()) + QStringLiteral("\n") + marked(QString());
    }
    void documentWithoutItsMarkersIsRefused()
    {
        QFETCH(QString, document);
        QVERIFY(!RecordDictionary::regenerated(document));
    }
};

QTEST_GUILESS_MAIN(TestRecordDictionary)
#include "tst_recorddictionary.moc"
