#include "RosterFixtures.h"
#include "storage/ExcelWorkbookFile.h"
#include "storage/RosterWorkbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(RosterWorkbookFault)

using RosterFixtures::surnames;

namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);

QStringList firstColumn(const ExcelUsedRange& range, const QLocale& locale = Russian)
{
    QStringList texts;
    for (int row = 1; row <= range.values.rowCount(); ++row)
        texts.append(range.values(row, 1).toText(locale));
    return texts;
}

// Runs read and gives the fault of the RosterWorkbookError it raises.
template <typename Read>
std::optional<RosterWorkbookFault> faultOf(Read read, QString* text = nullptr)
{
    try {
        read();
    } catch (const RosterWorkbookError& error) {
        if (text)
            *text = error.text();
        return error.fault();
    }
    return std::nullopt;
}

void readActiveSheet(const QString& fullName)
{
    const ExcelWorkbookFile workbook(fullName);
    (void)workbook.usedRange(workbook.activeSheet());
}

} // namespace

class TestExcelWorkbookFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheActiveSheetsUsedRange_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("25 names from A1, first names in B")
            << "roster25.xls"
            << "8А" << 1 << 1 << 2 << surnames(0, 25);
        QTest::newRow("from B3 with a gap")
            << "gap_from_b3.xls"
            << "Лист1" << 3 << 2 << 1 << surnames(0, 4) + QStringList{""} + surnames(4, 5);
        QTest::newRow("second of two sheets active") << "two_sheets_second_active.xls"
                                                     << "Текущий" << 1 << 1 << 1 << surnames(0, 3);
        for (int active = 0; active < 3; ++active) {
            const QString n = QString::number(active + 1);
            QTest::addRow("sheet %d of three active", active + 1)
                << QStringLiteral("three_sheets_active_%1.xls").arg(active) << "Лист" + n << 1 << 1
                << 1 << QStringList{"Первый" + n, "Второй" + n};
        }
        QTest::newRow("5, 12 and 15 letters")
            << "name_lengths.xls"
            << "Лист1" << 1 << 1 << 1 << QStringList{"Орлов", "Богородицкий", "Александровский"};
        QTest::newRow("40 names") << "forty.xls"
                                  << "Лист1" << 1 << 1 << 1 << surnames(0, 40);
        QTest::newRow("numbers, date, booleans, error")
            << "numbers.xls"
            << "Лист1" << 1 << 1 << 1
            << QStringList{"25",         "3,5",    "10000000000", "-7,25", "0,1",   "3000000000",
                           "2024-09-01", "ИСТИНА", "ЛОЖЬ",        "#Н/Д",  "Петров"};
        QTest::newRow("formatted blank cells trimmed") << "formatted_blanks.xls"
                                                       << "Лист1" << 1 << 1 << 1 << surnames(0, 20);
        QTest::newRow("declared larger than its values")
            << "biff5_dimensions_larger.xls"
            << "Лист1" << 2 << 2 << 1 << surnames(0, 3);
        QTest::newRow("empty sheet is A1 alone") << "empty_sheet.xls"
                                                 << "Лист1" << 1 << 1 << 1 << QStringList{""};
        QTest::newRow("one cell") << "single_cell.xls"
                                  << "Лист1" << 5 << 4 << 1 << QStringList{"Один"};
        QTest::newRow("BIFF5 in code page 1251")
            << "biff5_cp1251.xls"
            << "Ученики 7Б" << 1 << 1 << 1 << surnames(0, 25) + QStringList{"25", "3,5", "ИСТИНА"};
        QTest::newRow("no WINDOW1: first sheet")
            << "biff5_no_window1.xls"
            << "Старый список" << 1 << 1 << 1 << surnames(30, 3);
        QTest::newRow("active tab out of range: first sheet")
            << "biff5_active_out_of_range.xls"
            << "Старый список" << 1 << 1 << 1 << surnames(30, 3);
        QTest::newRow("active tab a chart: first worksheet")
            << "biff5_active_chart.xls"
            << "Старый список" << 1 << 1 << 1 << surnames(30, 3);
        QTest::newRow("BIFF8 in the mini stream") << "biff8_in_mini_stream.xls"
                                                  << "Лист1" << 1 << 1 << 1 << surnames(0, 5);
    }
    void readsTheActiveSheetsUsedRange()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, sheet);
        QFETCH(int, firstRow);
        QFETCH(int, firstColumn);
        QFETCH(int, columns);
        QFETCH(QStringList, names);

        const ExcelWorkbookFile workbook(RosterFixtures::path(fixture));
        QCOMPARE(workbook.fileName(), fixture);
        QCOMPARE(workbook.sheetNames().value(workbook.activeSheet()), sheet);
        const ExcelUsedRange range = workbook.usedRange(workbook.activeSheet());
        QCOMPARE(range.firstRow + 1, firstRow);
        QCOMPARE(range.firstColumn + 1, firstColumn);
        QCOMPARE(range.values.columnCount(), columns);
        QCOMPARE(range.values.rowCount(), names.size());
        QCOMPARE(::firstColumn(range), names);
    }

    void numbersFollowTheLocale()
    {
        const ExcelWorkbookFile workbook(RosterFixtures::path("numbers.xls"));
        const ExcelUsedRange range = workbook.usedRange(workbook.activeSheet());
        QCOMPARE(firstColumn(range, QLocale::c()),
                 (QStringList{"25", "3.5", "10000000000", "-7.25", "0.1", "3000000000",
                              "2024-09-01", "TRUE", "FALSE", "#N/A", "Петров"}));
        // FreeXL gives 25 as an integer, 3.5 as a double; BIFF5's NUMBER 25.0 is a whole double.
        QCOMPARE(range.values(1, 1).type(), ExcelValue::Type::Integer);
        QCOMPARE(range.values(2, 1).type(), ExcelValue::Type::Double);
        QCOMPARE(range.values(7, 1).type(), ExcelValue::Type::Date);
        QCOMPARE(range.values(8, 1).type(), ExcelValue::Type::Boolean);
        QCOMPARE(range.values(10, 1).type(), ExcelValue::Type::Error);
        const ExcelWorkbookFile biff5(RosterFixtures::path("biff5_cp1251.xls"));
        const ExcelUsedRange old = biff5.usedRange(biff5.activeSheet());
        QCOMPARE(old.values(26, 1).type(), ExcelValue::Type::Double);
        QCOMPARE(old.values(26, 1).toText(Russian), QString("25"));
    }

    void otherSheetsCanBeRead()
    {
        const ExcelWorkbookFile workbook(RosterFixtures::path("biff5_active_chart.xls"));
        QCOMPARE(workbook.sheetNames(), (QStringList{"Диаграмма", "Старый список", "Ученики 7Б"}));
        // A chart has no cells: its used range is A1 alone, empty.
        QCOMPARE(firstColumn(workbook.usedRange(0)), QStringList{""});
        QCOMPARE(firstColumn(workbook.usedRange(2)).mid(0, 2), surnames(0, 2));
        QCOMPARE(firstColumn(workbook.usedRange(-1)), QStringList{""});
        QCOMPARE(firstColumn(workbook.usedRange(3)), QStringList{""});
    }

    void refusesBrokenWorkbooks_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<RosterWorkbookFault>("fault");
        using F = RosterWorkbookFault;
        QTest::newRow("empty") << "empty.xls" << F::Empty;
        for (const char* length : {"4", "100", "511", "512", "1500", "2816", "5120", "5631"})
            QTest::addRow("cut at %s", length)
                << QStringLiteral("truncated_%1.xls").arg(QLatin1String(length)) << F::Damaged;
        QTest::newRow("text file") << "text_file.xls" << F::NotWorkbook;
        QTest::newRow("random bytes") << "random_bytes.xls" << F::NotWorkbook;
        QTest::newRow("Word document") << "word_document.xls" << F::NotWorkbook;
        QTest::newRow("zip (xlsx)") << "zip_file.xls" << F::NewerFormat;
        QTest::newRow("Excel 4") << "old_biff4.xls" << F::OlderFormat;
        QTest::newRow("password") << "password.xls" << F::PasswordProtected;
        QTest::newRow("no sheets") << "biff_no_sheets.xls" << F::NoSheets;
        QTest::newRow("millions of cells declared") << "biff_dimensions_huge.xls" << F::TooLarge;
        for (const char* name : {"garbage_in_cells",
                                 "garbage_in_directory",
                                 "garbage_in_header",
                                 "cfb_fat_cycle",
                                 "cfb_sector_out_of_range",
                                 "cfb_start_out_of_range",
                                 "cfb_huge_size",
                                 "cfb_size_beyond_chain",
                                 "cfb_directory_cycle",
                                 "cfb_directory_chain_cycle",
                                 "cfb_huge_fat_count",
                                 "cfb_difat_cycle",
                                 "cfb_bad_sector_shift",
                                 "cfb_bad_name_length",
                                 "cfb_mini_cycle",
                                 "cfb_mini_out_of_range",
                                 "biff_record_past_end",
                                 "biff_sheet_offset_past_end",
                                 "biff_sheet_offset_not_bof",
                                 "biff_sheet_name_past_record",
                                 "biff_label_past_record",
                                 "biff_dimensions_reversed",
                                 "biff_not_bof",
                                 "biff_empty_stream",
                                 "biff_sst_count_huge"})
            QTest::newRow(name) << QString::fromLatin1(name) + ".xls" << F::Damaged;
    }
    void refusesBrokenWorkbooks()
    {
        QFETCH(QString, fixture);
        QFETCH(RosterWorkbookFault, fault);
        QString text;
        QCOMPARE(faultOf([&] { readActiveSheet(RosterFixtures::path(fixture)); }, &text), fault);
        QCOMPARE(text, "Не удалось прочитать список класса «" + fixture +
                           "»: " + RosterWorkbookError::reasonText(fault) + ".");
    }

    void damagedTextReadsAsThePupilSeesIt()
    {
        QString text;
        faultOf([] { readActiveSheet(RosterFixtures::path("cfb_fat_cycle.xls")); }, &text);
        QCOMPARE(text, QString("Не удалось прочитать список класса «cfb_fat_cycle.xls»: файл "
                               "повреждён."));
    }

    void refusesWhatIsNoRegularFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("8А.xls"));
        QCOMPARE(faultOf([&] { readActiveSheet(dir.filePath("8А.xls")); }),
                 RosterWorkbookFault::Missing);
        QCOMPARE(faultOf([&] { readActiveSheet(dir.filePath("9Б.xls")); }),
                 RosterWorkbookFault::Missing);
    }

    void refusesAFileThatCannotBeOpened()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("8А.xls");
        QVERIFY(QFile::copy(RosterFixtures::path("roster25.xls"), path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission (root)");
        QCOMPARE(faultOf([&] { readActiveSheet(path); }), RosterWorkbookFault::Unreadable);
    }

    void refusesAFileTooLargeForARoster()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath("8А.xls"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(ExcelWorkbookFile::MaxFileSize + 1));
        big.close();
        QCOMPARE(faultOf([&] { readActiveSheet(big.fileName()); }), RosterWorkbookFault::TooLarge);
    }

    void leavesNoCopyBehind()
    {
        // FreeXL reads a private copy in the temporary folder; it goes with the workbook, also
        // after a failure.
        QTemporaryDir temp;
        const QByteArray previous = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QDir tempDir(temp.path());
        QCOMPARE(QDir::tempPath(), tempDir.absolutePath());
        {
            const ExcelWorkbookFile workbook(RosterFixtures::path("roster25.xls"));
            QCOMPARE(tempDir.entryList(QDir::Files).size(), 1);
        }
        QCOMPARE(faultOf([] { readActiveSheet(RosterFixtures::path("biff_not_bof.xls")); }),
                 RosterWorkbookFault::Damaged);
        const QStringList left = tempDir.entryList(QDir::Files);
        qputenv("TMPDIR", previous);
        QCOMPARE(left, QStringList());
    }

    void theReaderTakesTheFullNameInTheWorkingFolder()
    {
        QTemporaryDir dir;
        const QString expected = QDir(dir.path()).absoluteFilePath("8А.xls");
        QVERIFY(QFile::copy(RosterFixtures::path("roster25.xls"), expected));
        const ExcelWorkbookFile workbook(expected);
        QCOMPARE(workbook.fileName(), QString("8А.xls"));
    }
};

QTEST_GUILESS_MAIN(TestExcelWorkbookFile)
#include "tst_excelworkbookfile.moc"
