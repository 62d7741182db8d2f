#include "RosterFixtures.h"
#include "storage/BiffWorkbook.h"
#include "storage/CompoundFile.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

Q_DECLARE_METATYPE(CompoundFileStatus)
Q_DECLARE_METATYPE(BiffStatus)

namespace {

QByteArray bytesOf(const QString& fixture)
{
    QFile file(RosterFixtures::path(fixture));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(fixture));
    return file.readAll();
}

const QStringList WorkbookStreams = {QStringLiteral("Workbook"), QStringLiteral("Book")};

BiffWorkbook biffOf(const QString& fixture)
{
    const CompoundStream stream = readCompoundStream(bytesOf(fixture), WorkbookStreams);
    if (stream.status != CompoundFileStatus::Ok)
        qFatal("no workbook stream in %s", qPrintable(fixture));
    return readBiffWorkbook(stream.data);
}

QStringList namesOf(const BiffWorkbook& book)
{
    QStringList names;
    for (const BiffSheet& sheet : book.sheets)
        names.append(sheet.name);
    return names;
}

} // namespace

class TestCompoundFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsTheWorkbookStream_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<quint16>("biffVersion");
        // xlwt keeps the stream in the FAT; the hand-written BIFF5 and the small BIFF8 lie in
        // the mini stream.
        QTest::newRow("BIFF8 by xlwt") << "roster25.xls"
                                       << "Workbook" << quint16(0x0600);
        QTest::newRow("BIFF5 in mini stream") << "biff5_cp1251.xls"
                                              << "Book" << quint16(0x0500);
        QTest::newRow("BIFF8 in mini stream") << "biff8_in_mini_stream.xls"
                                              << "Workbook" << quint16(0x0600);
    }
    void findsTheWorkbookStream()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, stream);
        QFETCH(quint16, biffVersion);
        const CompoundStream found = readCompoundStream(bytesOf(fixture), WorkbookStreams);
        QCOMPARE(found.status, CompoundFileStatus::Ok);
        QCOMPARE(found.name, stream);
        QVERIFY(found.data.size() > 8);
        QCOMPARE(qFromLittleEndian<quint16>(found.data.constData()), quint16(0x0809));
        QCOMPARE(qFromLittleEndian<quint16>(found.data.constData() + 4), biffVersion);
    }

    void refusesBrokenContainers_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<CompoundFileStatus>("status");
        const auto damaged = CompoundFileStatus::Damaged;
        QTest::newRow("text") << "text_file.xls" << CompoundFileStatus::NotCompound;
        QTest::newRow("zip") << "zip_file.xls" << CompoundFileStatus::NotCompound;
        QTest::newRow("signature cut") << "truncated_4.xls" << damaged;
        QTest::newRow("header cut") << "truncated_100.xls" << damaged;
        QTest::newRow("header only") << "truncated_512.xls" << damaged;
        QTest::newRow("stream cut") << "truncated_2816.xls" << damaged;
        QTest::newRow("directory cut") << "truncated_5631.xls" << damaged;
        QTest::newRow("Word document") << "word_document.xls" << CompoundFileStatus::StreamMissing;
        QTest::newRow("FAT cycle") << "cfb_fat_cycle.xls" << damaged;
        QTest::newRow("sector out of range") << "cfb_sector_out_of_range.xls" << damaged;
        QTest::newRow("start out of range") << "cfb_start_out_of_range.xls" << damaged;
        QTest::newRow("huge size") << "cfb_huge_size.xls" << damaged;
        QTest::newRow("size beyond chain") << "cfb_size_beyond_chain.xls" << damaged;
        QTest::newRow("directory tree cycle") << "cfb_directory_cycle.xls" << damaged;
        QTest::newRow("directory chain cycle") << "cfb_directory_chain_cycle.xls" << damaged;
        QTest::newRow("huge FAT count") << "cfb_huge_fat_count.xls" << damaged;
        QTest::newRow("DIFAT cycle") << "cfb_difat_cycle.xls" << damaged;
        QTest::newRow("bad sector shift") << "cfb_bad_sector_shift.xls" << damaged;
        QTest::newRow("bad name length") << "cfb_bad_name_length.xls" << damaged;
        QTest::newRow("mini-FAT cycle") << "cfb_mini_cycle.xls" << damaged;
        QTest::newRow("mini sector out of range") << "cfb_mini_out_of_range.xls" << damaged;
        QTest::newRow("garbage in directory") << "garbage_in_directory.xls" << damaged;
        QTest::newRow("garbage in header") << "garbage_in_header.xls" << damaged;
    }
    void refusesBrokenContainers()
    {
        QFETCH(QString, fixture);
        QFETCH(CompoundFileStatus, status);
        const CompoundStream found = readCompoundStream(bytesOf(fixture), WorkbookStreams);
        QCOMPARE(found.status, status);
        QVERIFY(found.data.isEmpty());
    }

    void readsInPlaceWhatItCopies_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("refersToFile"); // the stream's sectors follow one another
        QTest::newRow("FAT, one run of sectors") << "roster25.xls" << true;
        QTest::newRow("mini stream") << "biff8_in_mini_stream.xls" << false;
        QTest::newRow("BIFF5 mini stream") << "biff5_cp1251.xls" << false;
        QTest::newRow("stream cut") << "truncated_2816.xls" << false;
        QTest::newRow("size beyond chain") << "cfb_size_beyond_chain.xls" << false;
        QTest::newRow("FAT cycle") << "cfb_fat_cycle.xls" << false;
        QTest::newRow("sector out of range") << "cfb_sector_out_of_range.xls" << false;
        QTest::newRow("Word document") << "word_document.xls" << false;
    }
    void readsInPlaceWhatItCopies()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, refersToFile);
        const QByteArray file = bytesOf(fixture);
        const CompoundStream copied = readCompoundStream(file, WorkbookStreams);
        const CompoundStream inPlace = readCompoundStreamInPlace(file, WorkbookStreams);
        QCOMPARE(inPlace.status, copied.status);
        QCOMPARE(inPlace.name, copied.name);
        QCOMPARE(inPlace.data, copied.data);
        const bool insideFile = !inPlace.data.isEmpty() &&
                                inPlace.data.constData() >= file.constData() &&
                                inPlace.data.constData() < file.constData() + file.size();
        QCOMPARE(insideFile, refersToFile);
    }

    void everyPrefixOfAGoodFileIsRefused()
    {
        // A file cut anywhere before its last byte lacks part of its directory (written last).
        const QByteArray whole = bytesOf("roster25.xls");
        QCOMPARE(readCompoundStream(whole, WorkbookStreams).status, CompoundFileStatus::Ok);
        for (qsizetype length = 0; length < whole.size(); length += 61) {
            const CompoundFileStatus status =
                readCompoundStream(whole.left(length), WorkbookStreams).status;
            QVERIFY2(status == CompoundFileStatus::Damaged ||
                         (length == 0 && status == CompoundFileStatus::NotCompound),
                     qPrintable(QString::number(length)));
        }
    }

    void readsTabsActiveTabAndDimensions()
    {
        const BiffWorkbook book = biffOf("gap_from_b3.xls");
        QCOMPARE(book.status, BiffStatus::Ok);
        QCOMPARE(book.version, 8);
        QCOMPARE(book.activeTab, std::optional<quint16>(0));
        QCOMPARE(namesOf(book), QStringList{"Лист1"});
        QVERIFY(book.sheets[0].dimensions.has_value());
        // Names in B3 to B12: rows 2..11, column 1.
        QCOMPARE(book.sheets[0].dimensions->firstRow, 2u);
        QCOMPARE(book.sheets[0].dimensions->endRow, 12u);
        QCOMPARE(book.sheets[0].dimensions->firstColumn, quint16(1));
        QCOMPARE(book.sheets[0].dimensions->endColumn, quint16(2));
    }

    void activeTab_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<std::optional<quint16>>("activeTab");
        QTest::newRow("second of two")
            << "two_sheets_second_active.xls" << std::optional<quint16>(1);
        QTest::newRow("first of three") << "three_sheets_active_0.xls" << std::optional<quint16>(0);
        QTest::newRow("second of three")
            << "three_sheets_active_1.xls" << std::optional<quint16>(1);
        QTest::newRow("third of three") << "three_sheets_active_2.xls" << std::optional<quint16>(2);
        QTest::newRow("BIFF5") << "biff5_cp1251.xls" << std::optional<quint16>(1);
        QTest::newRow("no WINDOW1") << "biff5_no_window1.xls" << std::optional<quint16>();
        QTest::newRow("out of range")
            << "biff5_active_out_of_range.xls" << std::optional<quint16>(7);
    }
    void activeTab()
    {
        QFETCH(QString, fixture);
        QFETCH(std::optional<quint16>, activeTab);
        const BiffWorkbook book = biffOf(fixture);
        QCOMPARE(book.status, BiffStatus::Ok);
        QCOMPARE(book.activeTab, activeTab);
    }

    void biff5NamesComeFromTheCodePage()
    {
        const BiffWorkbook book = biffOf("biff5_active_chart.xls");
        QCOMPARE(book.status, BiffStatus::Ok);
        QCOMPARE(book.version, 5);
        QCOMPARE(book.codePage, quint16(1251));
        QCOMPARE(namesOf(book), (QStringList{"Диаграмма", "Старый список", "Ученики 7Б"}));
        QCOMPARE(book.sheets[0].type, BiffSheetType::Chart);
        QCOMPARE(book.sheets[1].type, BiffSheetType::Worksheet);
        // BIFF5 DIMENSIONS hold 16-bit rows.
        QCOMPARE(book.sheets[2].dimensions->endRow, 28u);
        QCOMPARE(book.sheets[2].dimensions->endColumn, quint16(1));
    }

    void booleansAndErrorsAreTold()
    {
        const BiffWorkbook book = biffOf("numbers.xls");
        QCOMPARE(book.status, BiffStatus::Ok);
        const QList<BiffBoolErrCell>& cells = book.sheets[0].boolErrCells;
        QCOMPARE(cells.size(), 3);
        QCOMPARE(cells[0].row, 7u);
        QCOMPARE(cells[0].isError, false);
        QCOMPARE(cells[0].value, quint8(1));
        QCOMPARE(cells[2].row, 9u);
        QCOMPARE(cells[2].isError, true);
        QCOMPARE(cells[2].value, quint8(0x2A));
    }

    void refusesBrokenRecords_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<BiffStatus>("status");
        const auto damaged = BiffStatus::Damaged;
        QTest::newRow("record past end") << "biff_record_past_end.xls" << damaged;
        QTest::newRow("sheet offset past end") << "biff_sheet_offset_past_end.xls" << damaged;
        QTest::newRow("sheet offset not at BOF") << "biff_sheet_offset_not_bof.xls" << damaged;
        QTest::newRow("sheet name past record") << "biff_sheet_name_past_record.xls" << damaged;
        QTest::newRow("dimensions reversed") << "biff_dimensions_reversed.xls" << damaged;
        QTest::newRow("no BOF") << "biff_not_bof.xls" << damaged;
        QTest::newRow("empty stream") << "biff_empty_stream.xls" << damaged;
        QTest::newRow("garbage in cells") << "garbage_in_cells.xls" << damaged;
        QTest::newRow("no sheets") << "biff_no_sheets.xls" << BiffStatus::NoSheets;
        QTest::newRow("password") << "password.xls" << BiffStatus::PasswordProtected;
    }
    void refusesBrokenRecords()
    {
        QFETCH(QString, fixture);
        QFETCH(BiffStatus, status);
        QCOMPARE(biffOf(fixture).status, status);
    }

    void countsTheCellsADeclarationReserves()
    {
        QCOMPARE(biffOf("roster25.xls").declaredCells, quint64(25 * 2));
        // Three names from B2, declared as A1:E40: counted from A1.
        QCOMPARE(biffOf("biff5_dimensions_larger.xls").declaredCells, quint64(40 * 5));
        QCOMPARE(biffOf("biff_dimensions_huge.xls").declaredCells, quint64(65536) * 256);
    }
};

QTEST_GUILESS_MAIN(TestCompoundFile)
#include "tst_compoundfile.moc"
