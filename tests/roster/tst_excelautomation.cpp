#include "RosterFixtures.h"
#include "storage/ExcelAutomation.h"
#include "storage/RosterNames.h"
#include "storage/RosterWorkbook.h"

#include <QTest>
#include <optional>

Q_DECLARE_METATYPE(RosterWorkbookFault)
Q_DECLARE_METATYPE(ExcelCall)

namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);

// The names the roster reader hands to the grids, row by row; "" where a cell is empty (the
// grid row keeps what it held).
QStringList gridNames(const RosterNames::Reading& reading)
{
    QStringList names;
    for (const RosterNames::Row& row : reading.rows)
        names.append(row.name.value_or(QString()));
    return names;
}

// Raised by the call observer to make a call of the reader fail.
struct InjectedFault
{
};

// The order of the roster reader, and of the grid reader, which takes no values.
const QStringList RosterReaderCalls = {"Create",
                                       "Workbooks.Open",
                                       "ActiveWorkbook.ActiveSheet",
                                       "UsedRange.Rows.Count",
                                       "UsedRange.Value",
                                       "Workbooks.Close",
                                       "Quit",
                                       "Empty"};
const QStringList GridReaderCalls = {"Create",
                                     "Workbooks.Open",
                                     "ActiveWorkbook.ActiveSheet",
                                     "UsedRange.Rows.Count",
                                     "Workbooks.Close",
                                     "Quit",
                                     "Empty"};

} // namespace

class TestExcelAutomation : public QObject
{
    Q_OBJECT

    QStringList m_calls;
    ExcelCall m_failAt = ExcelCall::Empty; // Empty: no call fails
    bool m_failing = false;

private Q_SLOTS:
    void init()
    {
        m_calls.clear();
        m_failing = false;
        ExcelApplication.setCallObserver([this](ExcelCall call) {
            m_calls.append(excelCallName(call));
            if (m_failing && call == m_failAt)
                throw InjectedFault{};
        });
    }
    void cleanup()
    {
        ExcelApplication.setCallObserver({});
        ExcelApplication.clear();
    }

    void rosterReaderMakesTheCallsInOrder()
    {
        const RosterNames::Reading reading =
            RosterNames::readRoster(RosterFixtures::path("roster25.xls"), Russian);
        QCOMPARE(m_calls, RosterReaderCalls);
        QVERIFY(ExcelApplication.isEmpty());
        QCOMPARE(reading.rowCount, 25);
        const QStringList names = gridNames(reading);
        QCOMPARE(names.size(), 25);
        QCOMPARE(names[0], QString("Абрамова    "));
        QCOMPARE(names[9], QString("Кузнецов    "));
        QCOMPARE(names[24], QString("Щербакова   "));
    }

    void rosterReaderFillsFromTheUsedRangesFirstColumn_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("grid");
        QTest::newRow("gap from B3")
            << "gap_from_b3.xls"
            << QStringList{
                   "Абрамова    ", "Белов       ", "Васильева   ", "Горбунов    ", "",
                   "Давыдова    ", "Егоров      ", "Жукова      ", "Зайцев      ", "Ильина      "};
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
        const RosterNames::Reading reading =
            RosterNames::readRoster(RosterFixtures::path(fixture), Russian);
        QCOMPARE(gridNames(reading), grid);
        QCOMPARE(reading.rowCount, grid.size());
        QCOMPARE(m_calls, RosterReaderCalls);
    }

    void gridReaderTakesOnlyTheRowCount()
    {
        QCOMPARE(RosterNames::readRowCount(RosterFixtures::path("forty.xls")), 40);
        QCOMPARE(m_calls, GridReaderCalls);
        QVERIFY(ExcelApplication.isEmpty());
    }

    void rosterReaderTellsWhereTheNamesStand()
    {
        const RosterNames::Reading gap =
            RosterNames::readRoster(RosterFixtures::path("gap_from_b3.xls"), Russian);
        QCOMPARE(gap.firstRow, 3);
        QCOMPARE(gap.firstColumn, 2);
        QCOMPARE(gap.columnCount, 1);
        QCOMPARE(gap.sheetName, QString("Лист1"));
        QCOMPARE(gap.sheetIndex, 1);

        const RosterNames::Reading third =
            RosterNames::readRoster(RosterFixtures::path("three_sheets_active_2.xls"), Russian);
        QCOMPARE(third.sheetName, QString("Лист3"));
        QCOMPARE(third.sheetIndex, 3);
        QCOMPARE(gridNames(third), (QStringList{"Первый3     ", "Второй3     "}));
    }

    void formulasReadAsEmptyAndAreNamed()
    {
        // FreeXL hands over no value for a formula; the record walk still sees where they stand.
        const RosterNames::Reading reading =
            RosterNames::readRoster(RosterFixtures::path("formulas.xls"), Russian);
        QCOMPARE(gridNames(reading), (QStringList{"Иванов      ", "", "Сидоров     "}));
        QCOMPARE(reading.formulaRows, (QList<int>{2, 4, 5}));
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
        for (bool gridReader : {false, true}) {
            m_calls.clear();
            try {
                if (gridReader)
                    RosterNames::readRowCount(RosterFixtures::path(fixture));
                else
                    RosterNames::readRoster(RosterFixtures::path(fixture), Russian);
                QFAIL("the reader did not fail");
            } catch (const RosterWorkbookError& error) {
                QCOMPARE(error.fault(), fault);
                QCOMPARE(error.workbookName(), fixture);
            }
            // Nothing was opened, so there is nothing to close; the object still quits and goes.
            QCOMPARE(m_calls, (QStringList{"Create", "Workbooks.Open", "Quit", "Empty"}));
            QVERIFY(ExcelApplication.isEmpty());
        }
    }

    void aFailingCallStillClosesQuitsAndEmpties_data()
    {
        QTest::addColumn<bool>("gridReader");
        QTest::addColumn<ExcelCall>("failAt");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("roster reader, values") << false << ExcelCall::Value << RosterReaderCalls;
        QTest::newRow("roster reader, rows") << false << ExcelCall::RowsCount << GridReaderCalls;
        QTest::newRow("grid reader, rows") << true << ExcelCall::RowsCount << GridReaderCalls;
    }
    void aFailingCallStillClosesQuitsAndEmpties()
    {
        QFETCH(bool, gridReader);
        QFETCH(ExcelCall, failAt);
        QFETCH(QStringList, calls);
        m_failAt = failAt;
        m_failing = true;
        const QString path = RosterFixtures::path("roster25.xls");
        if (gridReader)
            QVERIFY_THROWS_EXCEPTION(InjectedFault, RosterNames::readRowCount(path));
        else
            QVERIFY_THROWS_EXCEPTION(InjectedFault, RosterNames::readRoster(path, Russian));
        QCOMPARE(m_calls, calls);
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

    void readingAgainGivesTheSameNames()
    {
        const QString path = RosterFixtures::path("forty.xls");
        const QStringList first = gridNames(RosterNames::readRoster(path, Russian));
        const QStringList second = gridNames(RosterNames::readRoster(path, Russian));
        QCOMPARE(first.size(), 40);
        QCOMPARE(second, first);
        QCOMPARE(m_calls, RosterReaderCalls + RosterReaderCalls);
    }

    void callsWithoutAnObjectOrWorkbookRaise()
    {
        QVERIFY(ExcelApplication.isEmpty());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->Quit());
        const ExcelSession excel;
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->ActiveWorkbook());
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
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->ActiveWorkbook());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, workbook.ActiveSheet());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, sheet.UsedRange());
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, sheet.FormulaCells());
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
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, ExcelApplication->ActiveWorkbook());
        ExcelApplication.clear();
        QCOMPARE(m_calls, (QStringList{"Create", "Workbooks.Open", "Create",
                                       "ActiveWorkbook.ActiveSheet", "Empty"}));
    }
};

QTEST_GUILESS_MAIN(TestExcelAutomation)
#include "tst_excelautomation.moc"
