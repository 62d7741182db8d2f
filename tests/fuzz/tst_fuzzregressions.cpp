#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

// Every input a fuzzer once crashed on, kept in fuzz/regressions/TARGET/, goes again through the
// entry point the fuzzer calls. The seeds of the statistics files go along: they are the inputs
// whose results the saver's and the reader's own tests fix, so they must pass the fuzzer's checks
// too.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rosterWorkbook_data() { addInputs({"regressions/roster_workbook"}); }
    void rosterWorkbook();
    void statisticsFile_data()
    {
        addInputs({"regressions/statistics_file", "seeds/statistics_file"});
    }
    void statisticsFile();
    void recordLine_data() { addInputs({"regressions/record_line", "seeds/record_line"}); }
    void recordLine();

private:
    static void addInputs(const QStringList& folders);
    static QByteArray inputBytes();
};

void TestFuzzRegressions::addInputs(const QStringList& folders)
{
    QTest::addColumn<QString>("path");
    int rows = 0;
    for (const QString& folder : folders) {
        const QDir dir(QStringLiteral(FUZZ_DIR "/") + folder);
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(folder + QLatin1Char('/') + info.fileName()))
                << info.filePath();
            ++rows;
        }
    }
    // An empty table would pass without running anything.
    if (rows == 0)
        QTest::newRow("nothing kept") << QString();
}

QByteArray TestFuzzRegressions::inputBytes()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void TestFuzzRegressions::rosterWorkbook()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("no roster workbook kept");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString problem = FuzzEntries::rosterWorkbook(inputBytes(), scratch.path());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestFuzzRegressions::statisticsFile()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("no statistics file kept");
    const QString problem = FuzzEntries::statisticsFile(inputBytes());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestFuzzRegressions::recordLine()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("no record line kept");
    const QString problem = FuzzEntries::recordLine(inputBytes());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
