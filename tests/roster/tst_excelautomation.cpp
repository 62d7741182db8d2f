#include "RosterFixtures.h"
#include "storage/ExcelAutomation.h"
#include "storage/RosterWorkbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(RosterWorkbookFault)

using RosterFixtures::surnames;

namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);

// The grids' name form: padded with blanks to 12 characters and cut to 12.
QString gridName(QString text)
{
    if (!text.isEmpty())
        text = text.leftJustified(12, QLatin1Char(' '), true);
    return text;
}

// The roster reader as the roster screen writes it, over a grid of column-0 texts. fail, when
// set, raises between filling and closing, as a failing step of the screen would.
void readRoster(const QString& fullName, QStringList* grid, bool fail = false)
{
    const ExcelSession excel;
    ExcelApplication->Workbooks().Open(fullName);
    const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
    const int rowCount = sheet.UsedRange().Rows().Count();
    const ExcelValueArray values = sheet.UsedRange().Value();
    grid->resize(rowCount);
    for (int r = 0; r < rowCount; ++r) {
        const ExcelValue& value = values(r + 1, 0 + 1);
        if (!value.isEmptyText())
            (*grid)[r] = gridName(value.toText(Russian));
    }
    if (fail)
        (void)values(rowCount + 1, 1);
    ExcelApplication->Workbooks().Close();
    ExcelApplication->Quit();
    ExcelApplication.clear();
}

// The grid reader of the classmate screen: only the row count comes from the workbook.
int readGridRows(const QString& fullName)
{
    const ExcelSession excel;
    ExcelApplication->Workbooks().Open(fullName);
    const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
    const int rowCount = sheet.UsedRange().Rows().Count();
    ExcelApplication->Workbooks().Close();
    ExcelApplication->Quit();
    ExcelApplication.clear();
    return rowCount;
}

const QStringList RosterReaderCalls = {"Create",
                                       "Workbooks.Open",
                                       "ActiveWorkbook.ActiveSheet",
                                       "UsedRange.Rows.Count",
                                       "UsedRange.Value",
                                       "Workbooks.Close",
                                       "Quit",
                                       "Empty"};

} // namespace

class TestExcelAutomation : public QObject
{
    Q_OBJECT

    QStringList m_calls;

private Q_SLOTS:
    void init()
    {
        m_calls.clear();
        ExcelApplication.setCallObserver(
            [this](ExcelCall call) { m_calls.append(excelCallName(call)); });
    }
    void cleanup()
    {
        ExcelApplication.setCallObserver({});
        ExcelApplication.clear();
    }

    void rosterReaderMakesTheCallsInOrder()
    {
        QStringList grid(33); // the designed 33 empty rows
        readRoster(RosterFixtures::path("roster25.xls"), &grid);
        QCOMPARE(m_calls, RosterReaderCalls);
        QVERIFY(ExcelApplication.isEmpty());
        QCOMPARE(grid.size(), 25);
        QCOMPARE(grid[0], QString("Абрамова    "));
        QCOMPARE(grid[9], QString("Кузнецов    "));
        for (int r = 0; r < 25; ++r)
            QCOMPARE(grid[r], gridName(surnames()[r]));
    }

    void rosterReaderFillsFromTheUsedRangesFirstColumn_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("grid");
        QTest::newRow("gap from B3")
            << "gap_from_b3.xls"
            << QStringList{"Абрамова    ", "Белов       ", "Васильева   ", "Горбунов    ",
                           "был",          "Давыдова    ", "Егоров      ", "Жукова      ",
                           "Зайцев      ", "Ильина      "};
        QTest::newRow("name lengths")
            << "name_lengths.xls" << QStringList{"Орлов       ", "Богородицкий", "Александровс"};
        QTest::newRow("numbers") << "numbers.xls"
                                 << QStringList{"25          ", "3,5         ", "10000000000 ",
                                                "-7,25       ", "0,1         ", "3000000000  ",
                                                "2024-09-01  ", "ИСТИНА      ", "ЛОЖЬ        ",
                                                "#Н/Д        ", "Петров      "};
    }
    void rosterReaderFillsFromTheUsedRangesFirstColumn()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, grid);
        // An empty cell leaves the grid row as it was: "был" stands for an earlier content.
        QStringList filled(33, QStringLiteral("был"));
        readRoster(RosterFixtures::path(fixture), &filled);
        QCOMPARE(filled, grid);
        QCOMPARE(m_calls, RosterReaderCalls);
    }

    void gridReaderTakesOnlyTheRowCount()
    {
        QCOMPARE(readGridRows(RosterFixtures::path("forty.xls")), 40);
        QCOMPARE(m_calls,
                 (QStringList{"Create", "Workbooks.Open", "ActiveWorkbook.ActiveSheet",
                              "UsedRange.Rows.Count", "Workbooks.Close", "Quit", "Empty"}));
        QVERIFY(ExcelApplication.isEmpty());
    }

    void usedRangeTellsWhereItStarts()
    {
        const ExcelSession excel;
        ExcelApplication->Workbooks().Open(RosterFixtures::path("gap_from_b3.xls"));
        const ExcelRange range = ExcelApplication->ActiveWorkbook().ActiveSheet().UsedRange();
        QCOMPARE(range.Row(), 3);
        QCOMPARE(range.Column(), 2);
        QCOMPARE(range.Rows().Count(), 10);
    }

    void activeSheetIsTheSavedActiveTab()
    {
        const ExcelSession excel;
        ExcelApplication->Workbooks().Open(RosterFixtures::path("three_sheets_active_2.xls"));
        const ExcelWorkbook workbook = ExcelApplication->ActiveWorkbook();
        QCOMPARE(workbook.Name(), QString("three_sheets_active_2.xls"));
        const ExcelSheet sheet = workbook.ActiveSheet();
        QCOMPARE(sheet.Name(), QString("Лист3"));
        QCOMPARE(sheet.UsedRange().Value()(1, 1).text(), QString("Первый3"));
    }

    void aWorkbookThatCannotBeOpenedStillEndsTheObject_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<RosterWorkbookFault>("fault");
        QTest::newRow("missing") << "no_such_roster.xls" << RosterWorkbookFault::Missing;
        QTest::newRow("empty") << "empty.xls" << RosterWorkbookFault::Empty;
        QTest::newRow("damaged") << "cfb_fat_cycle.xls" << RosterWorkbookFault::Damaged;
        QTest::newRow("password") << "password.xls" << RosterWorkbookFault::PasswordProtected;
        QTest::newRow("zip") << "zip_file.xls" << RosterWorkbookFault::NewerFormat;
    }
    void aWorkbookThatCannotBeOpenedStillEndsTheObject()
    {
        QFETCH(QString, fixture);
        QFETCH(RosterWorkbookFault, fault);
        QStringList grid(33, QStringLiteral("был"));
        try {
            readRoster(RosterFixtures::path(fixture), &grid);
            QFAIL("the reader did not fail");
        } catch (const RosterWorkbookError& error) {
            QCOMPARE(error.fault(), fault);
            QCOMPARE(error.workbookName(), fixture);
        }
        // Nothing was opened, so there is nothing to close; the object still quits and goes.
        QCOMPARE(m_calls, (QStringList{"Create", "Workbooks.Open", "Quit", "Empty"}));
        QVERIFY(ExcelApplication.isEmpty());
        QCOMPARE(grid, QStringList(33, QStringLiteral("был")));
    }

    void aFailureWhileFillingClosesTheWorkbook()
    {
        QStringList grid;
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError,
                                 readRoster(RosterFixtures::path("roster25.xls"), &grid, true));
        QCOMPARE(m_calls, RosterReaderCalls);
        QVERIFY(ExcelApplication.isEmpty());
    }

    void aReaderThatQuitButDidNotEmptyIsEmptied()
    {
        {
            const ExcelSession excel;
            ExcelApplication->Workbooks().Open(RosterFixtures::path("roster25.xls"));
            ExcelApplication->Workbooks().Close();
            ExcelApplication->Quit();
        }
        QCOMPARE(m_calls,
                 (QStringList{"Create", "Workbooks.Open", "Workbooks.Close", "Quit", "Empty"}));
        QVERIFY(ExcelApplication.isEmpty());
    }

    void readingAgainGivesTheSameGrid()
    {
        QStringList first(33);
        readRoster(RosterFixtures::path("forty.xls"), &first);
        QStringList second = first;
        readRoster(RosterFixtures::path("forty.xls"), &second);
        QCOMPARE(second, first);
        QCOMPARE(m_calls, RosterReaderCalls + RosterReaderCalls);
    }

    void callsWithoutAnObjectOrWorkbookRaise()
    {
        QVERIFY(ExcelApplication.isEmpty());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->Quit());
        const ExcelSession excel;
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->ActiveWorkbook());
        QCOMPARE(ExcelApplication->Workbooks().Count(), 0);
        ExcelApplication->Quit();
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->Workbooks());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->Quit());
    }

    void handlesKeptAfterCloseDoNotReadFreedData()
    {
        const ExcelSession excel;
        ExcelApplication->Workbooks().Open(RosterFixtures::path("roster25.xls"));
        const ExcelWorkbook workbook = ExcelApplication->ActiveWorkbook();
        const ExcelSheet sheet = workbook.ActiveSheet();
        const ExcelRange range = sheet.UsedRange();
        ExcelApplication->Workbooks().Close();
        QCOMPARE(ExcelApplication->Workbooks().Count(), 0);
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, workbook.ActiveSheet());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, sheet.UsedRange());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, range.Value());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, range.Rows().Count());
    }

    void handlesKeptAfterTheHolderIsEmptiedRaise()
    {
        std::optional<ExcelRange> kept;
        {
            const ExcelSession excel;
            ExcelApplication->Workbooks().Open(RosterFixtures::path("roster25.xls"));
            kept = ExcelApplication->ActiveWorkbook().ActiveSheet().UsedRange();
        }
        QVERIFY(ExcelApplication.isEmpty());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, kept->Value());
    }

    void creatingAgainEndsTheObjectLeftBefore()
    {
        ExcelApplication.create();
        ExcelApplication->Workbooks().Open(RosterFixtures::path("roster25.xls"));
        const ExcelWorkbook left = ExcelApplication->ActiveWorkbook();
        ExcelApplication.create();
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, left.ActiveSheet());
        QCOMPARE(ExcelApplication->Workbooks().Count(), 0);
        ExcelApplication.clear();
        QCOMPARE(m_calls, (QStringList{"Create", "Workbooks.Open", "Create",
                                       "ActiveWorkbook.ActiveSheet", "Empty"}));
    }

    void opensTheRosterOfTheWorkingFolder()
    {
        // The file whose existence the screen tests is the file the reader opens.
        QTemporaryDir dir;
        const QString path = dir.filePath("8А.xls");
        QVERIFY(QFile::copy(RosterFixtures::path("roster25.xls"), path));
        QStringList grid;
        const bool exists = QFileInfo(path).isFile();
        if (exists)
            readRoster(path, &grid);
        QVERIFY(exists);
        QCOMPARE(grid.size(), 25);
        QCOMPARE(grid[24], QString("Щербакова   "));
    }
};

QTEST_GUILESS_MAIN(TestExcelAutomation)
#include "tst_excelautomation.moc"
