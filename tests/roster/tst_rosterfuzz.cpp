#include "RosterFixtures.h"
#include "storage/BiffWorkbook.h"
#include "storage/CompoundFile.h"
#include "storage/ExcelAutomation.h"
#include "storage/RosterWorkbook.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// Workbooks damaged at random, from fixed seeds so that every run damages them alike: whatever
// the bytes, reading gives names or a RosterWorkbookError, never a crash, a hang or a read out of
// bounds (the sanitizer build runs these too), and the holder is empty afterwards.

namespace {

QByteArray bytesOf(const QString& fixture)
{
    QFile file(RosterFixtures::path(fixture));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(fixture));
    return file.readAll();
}

QByteArray mutated(const QByteArray& original, QRandomGenerator& random)
{
    QByteArray bytes = original;
    const auto anywhere = [&] { return qsizetype(random.bounded(int(bytes.size()))); };
    switch (random.bounded(5)) {
    case 0: // a few bytes anywhere
        for (int n = 1 + random.bounded(8); n > 0; --n)
            bytes[anywhere()] = char(random.bounded(256));
        break;
    case 1: { // a telling number in the container's header, FAT or directory
        static constexpr quint32 Telling[] = {0,          1,          2,          0x7F,
                                              0xFFFF,     0x7FFFFFFF, 0xFFFFFFFA, 0xFFFFFFFC,
                                              0xFFFFFFFD, 0xFFFFFFFE, 0xFFFFFFFF};
        const bool header = random.bounded(2) == 0;
        const qsizetype span = std::min<qsizetype>(header ? 512 : 1024, bytes.size());
        const qsizetype at = (header ? 0 : bytes.size() - span) + 4 * random.bounded(int(span / 4));
        const quint32 value = random.bounded(3) == 0
                                  ? random.generate()
                                  : Telling[random.bounded(int(std::size(Telling)))];
        qToLittleEndian(value, bytes.data() + at);
        break;
    }
    case 2: // a 16-bit number anywhere: record types and lengths, counts, string lengths
        qToLittleEndian(quint16(random.bounded(2) ? random.bounded(65536) : random.bounded(32)),
                        bytes.data() + std::min(anywhere(), bytes.size() - 2));
        break;
    case 3: { // a block of noise
        const qsizetype at = anywhere();
        for (qsizetype i = at; i < std::min(bytes.size(), at + 16 + random.bounded(64)); ++i)
            bytes[i] = char(random.bounded(256));
        break;
    }
    default: // cut short
        bytes.truncate(anywhere());
        break;
    }
    return bytes;
}

// The roster reader as the screens write it; gives the number of names read.
int readRoster(const QString& fullName)
{
    const ExcelSession excel;
    ExcelApplication->Workbooks().Open(fullName);
    const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
    const int rowCount = sheet.UsedRange().Rows().Count();
    const ExcelValueArray values = sheet.UsedRange().Value();
    int names = 0;
    for (int r = 0; r < rowCount; ++r) {
        if (!values(r + 1, 1).isEmptyText() && !values(r + 1, 1).toText(QLocale::c()).isEmpty())
            ++names;
    }
    ExcelApplication->Workbooks().Close();
    ExcelApplication->Quit();
    ExcelApplication.clear();
    return names;
}

void addBaseWorkbooks()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("BIFF8 roster") << "roster25.xls" << 1u;
    QTest::newRow("BIFF8 three sheets") << "three_sheets_active_1.xls" << 2u;
    QTest::newRow("BIFF8 numbers") << "numbers.xls" << 3u;
    QTest::newRow("BIFF8 formatted blanks") << "formatted_blanks.xls" << 4u;
    QTest::newRow("BIFF8 in mini stream") << "biff8_in_mini_stream.xls" << 5u;
    QTest::newRow("BIFF5 with a chart") << "biff5_active_chart.xls" << 6u;
}

} // namespace

class TestRosterFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void damagedWorkbooksGiveNamesOrAnError_data() { addBaseWorkbooks(); }
    void damagedWorkbooksGiveNamesOrAnError()
    {
        QFETCH(QString, fixture);
        QFETCH(quint32, seed);
        const QByteArray original = bytesOf(fixture);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        const QString path = dir.filePath("8А.xls");
        int read = 0;
        int refused = 0;
        for (int i = 0; i < 300; ++i) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(mutated(original, random));
            file.close();
            try {
                readRoster(path);
                ++read;
            } catch (const RosterWorkbookError& error) {
                QCOMPARE(error.workbookName(), QString("8А.xls"));
                ++refused;
            }
            QVERIFY(ExcelApplication.isEmpty());
        }
        // Both outcomes occur, so the damage reaches past the first checks.
        QVERIFY2(read > 0 && refused > 0,
                 qPrintable(QStringLiteral("%1 read, %2 refused").arg(read).arg(refused)));
    }

    void recordWalkSurvivesAnyStream_data() { addBaseWorkbooks(); }
    void recordWalkSurvivesAnyStream()
    {
        QFETCH(QString, fixture);
        QFETCH(quint32, seed);
        const QStringList names = {QStringLiteral("Workbook"), QStringLiteral("Book")};
        const QByteArray original = bytesOf(fixture);
        const QByteArray stream = readCompoundStream(original, names).data;
        QVERIFY(!stream.isEmpty());
        QRandomGenerator random(seed * 7919);
        int sound = 0;
        for (int i = 0; i < 3000; ++i) {
            // Both walks, on damaged containers and on damaged streams.
            const CompoundStream found = readCompoundStream(mutated(original, random), names);
            if (found.status == CompoundFileStatus::Ok)
                QVERIFY(found.data.size() <= original.size());
            const BiffWorkbook book = readBiffWorkbook(mutated(stream, random));
            if (book.status == BiffStatus::Ok) {
                ++sound;
                QVERIFY(!book.sheets.isEmpty());
            }
        }
        QVERIFY(sound > 0);
    }
};

QTEST_GUILESS_MAIN(TestRosterFuzz)
#include "tst_rosterfuzz.moc"
