// The names that reach the grids of the roster screen and of the classmate screen from real
// workbooks in the working folder, and what a workbook that cannot be read does to both screens.

#include "RosterScreens.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit6_Treb.h"
#include "storage/RosterWorkbook.h"
#include "widgets/GlassButton.h"

using RosterFixtures::surnames;
using namespace roster;

Q_DECLARE_METATYPE(RosterWorkbookFault)

class TestRosterGrids : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ExcelApplication.clear(); }

    void namesReachEveryGridRowByRow_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("grid");

        QTest::newRow("25 names from A1") << "roster25.xls" << inGrid(surnames(0, 25));
        QStringList gap = surnames(0, 4) + QStringList{QString()} + surnames(4, 5);
        QTest::newRow("from B3 with a gap") << "gap_from_b3.xls" << inGrid(gap);
        QTest::newRow("the sheet that was active")
            << "two_sheets_second_active.xls" << inGrid(surnames(0, 3));
        QTest::newRow("the middle one of three sheets")
            << "three_sheets_active_1.xls" << QStringList{"Первый2     ", "Второй2     "};
        QTest::newRow("numbers, a date, booleans and an error as text")
            << "numbers.xls"
            << QStringList{"25          ", "3,5         ", "10000000000 ", "-7,25       ",
                           "0,1         ", "3000000000  ", "2024-09-01  ", "ИСТИНА      ",
                           "ЛОЖЬ        ", "#Н/Д        ", "Петров      "};
        QTest::newRow("5, 12 and 15 letters")
            << "name_lengths.xls" << QStringList{"Орлов       ", "Богородицкий", "Александровс"};
        QTest::newRow("40 names") << "forty.xls" << inGrid(surnames());
        QTest::newRow("BIFF5 in code page 1251")
            << "biff5_cp1251.xls" << inGrid(surnames(0, 25) + QStringList{"25", "3,5", "ИСТИНА"});
    }
    void namesReachEveryGridRowByRow()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, grid);
        TestRun test;
        SurveyRun& run = test.start();
        chooseClass8A(run);
        QVERIFY(putRoster(test, fixture));

        run.showScreen(run.Form_FamFile);
        QVERIFY(test.boxTexts().isEmpty());
        QVERIFY(ExcelApplication.isEmpty());
        ButtonCellGrid* rosterGrid = NEED(ButtonCellGrid, run.Form_FamFile, "AdvStringGrid1");
        QCOMPARE(namesOf(rosterGrid), grid);
        QCOMPARE(rosterGrid->columnCount(), 2);
        QCOMPARE(rosterGrid->fixedColumns(), 1);
        for (const QString& name : namesOf(rosterGrid))
            QVERIFY(name.isEmpty() || name.size() == 12);

        // The roster reader also writes into the choice grids, in the rows they have so far.
        TForm_Psychology1* classmates = run.Form_Psychology1;
        for (const char* name :
             {"AdvStringGrid1", "AdvStringGrid2", "AdvStringGrid3", "AdvStringGrid4"}) {
            const ButtonCellGrid* choices = NEED_NAMED(ButtonCellGrid, classmates, name);
            QCOMPARE(choices->rowCount(), 33);
            QCOMPARE(namesOf(choices).mid(0, grid.size()), grid.mid(0, 33));
        }

        // The grid reader gives each choice grid the rows of the used range, from the roster grid.
        run.showScreen(classmates);
        QVERIFY(test.boxTexts().isEmpty());
        QVERIFY(ExcelApplication.isEmpty());
        for (const char* name :
             {"AdvStringGrid1", "AdvStringGrid2", "AdvStringGrid3", "AdvStringGrid4"}) {
            const ButtonCellGrid* choices = NEED_NAMED(ButtonCellGrid, classmates, name);
            QCOMPARE(namesOf(choices), grid);
            QCOMPARE(choices->fixedColumns(), 1);
            QCOMPARE(choices->columnCount(), 2);
        }
    }

    void theReaderOpensTheWorkingFoldersFile()
    {
        // The workbook read is the working folder's, whose existence was tested, and not one in
        // the folder the process was started from (there is none there).
        TestRun test;
        SurveyRun& run = test.start();
        chooseClass8A(run);
        QVERIFY(putRoster(test, "name_lengths.xls"));
        QVERIFY(QDir::currentPath() != QDir(test.folder()).absolutePath());
        QVERIFY(!QFile::exists(QDir::current().filePath(WorkbookName)));
        run.showScreen(run.Form_FamFile);
        QCOMPARE(namesOf(run.Form_FamFile->AdvStringGrid1),
                 (QStringList{"Орлов       ", "Богородицкий", "Александровс"}));
    }

    void brokenWorkbookIsReportedOncePerScreenAndThePupilGoesOn_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<RosterWorkbookFault>("fault");
        QTest::newRow("empty") << "empty.xls" << RosterWorkbookFault::Empty;
        QTest::newRow("truncated") << "truncated_1500.xls" << RosterWorkbookFault::Damaged;
        QTest::newRow("text") << "text_file.xls" << RosterWorkbookFault::NotWorkbook;
        QTest::newRow("zip") << "zip_file.xls" << RosterWorkbookFault::NewerFormat;
        QTest::newRow("random bytes") << "random_bytes.xls" << RosterWorkbookFault::NotWorkbook;
    }
    void brokenWorkbookIsReportedOncePerScreenAndThePupilGoesOn()
    {
        QFETCH(QString, fixture);
        QFETCH(RosterWorkbookFault, fault);
        const QString reported = QStringLiteral("Не удалось прочитать список класса «8А.xls»: ") +
                                 RosterWorkbookError::reasonText(fault) + QLatin1Char('.');
        TestRun test;
        SurveyRun& run = test.start();
        const ReaderRuns readers;
        chooseClass8A(run);
        QVERIFY(putRoster(test, fixture));

        // The box closing activates the roster screen again, and it reads again, silently.
        run.showScreen(run.Form_FamFile);
        QCOMPARE(test.boxTexts(), QStringList{reported});
        QCOMPARE(test.boxes().front().kind, MessageBoxRequest::Kind::Error);
        QCOMPARE(readers.count(), 2);
        QVERIFY(ExcelApplication.isEmpty());
        run.showMessage(QStringLiteral("Проверка")); // another activation
        QCOMPARE(errorBoxCount(test), 1);
        QCOMPARE(readers.count(), 3);

        // The grid keeps its designed empty rows; pressing one goes on, without a surname.
        ButtonCellGrid* rosterGrid = run.Form_FamFile->AdvStringGrid1;
        QCOMPARE(namesOf(rosterGrid), QStringList(33));
        CLICK_ROW(rosterGrid, 0);
        QCOMPARE(run.state.Surname, QString());
        QCOMPARE(run.state.RosterLoaded, 0);
        PRESS(run.Form_FamFile, "AdvGlassButton1");
        QVERIFY(run.Form1_Ball->isVisible());

        // The classmate screen reports its own reading once, and lets every question be passed.
        TForm_Psychology1* classmates = run.Form_Psychology1;
        run.showScreen(run.Form6_Treb);
        run.showScreen(classmates);
        QCOMPARE(errorBoxCount(test), 2);
        QCOMPARE(test.boxTexts().last(), reported);
        run.showMessage(QStringLiteral("Проверка"));
        QCOMPARE(errorBoxCount(test), 2);
        for (int q = 1; q <= 4; ++q) {
            PRESS_NAMED(classmates, QStringLiteral("AdvGlowButton%1").arg(q));
            PRESS_NAMED(classmates, QStringLiteral("AdvGlassButton%1").arg(q));
        }
        QCOMPARE(run.state.ClassmateChoiceAnswer, QString(144, QLatin1Char(' ')));
        QCOMPARE(run.windows().topWindow(), run.Form7_Fam);

        // Shown again later in the run, it says nothing more.
        classmates->close();
        run.showScreen(classmates);
        QCOMPARE(errorBoxCount(test), 2);
        QVERIFY(!test.ended());
    }
};

SURVEY_TEST_MAIN(TestRosterGrids)
#include "tst_rostergrids.moc"
