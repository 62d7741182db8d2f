// The roster screen: the pupil presses the own surname in the class roster, and the finish
// screen then knows it.

#include "RosterScreens.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit8_Coord.h"
#include "screens/Unit_Vveden.h"
#include "support/Screenshots.h"
#include "widgets/GlassButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QImage>

using RosterFixtures::surnames;
using namespace roster;

namespace {

// A run at the roster screen of class 8 А, its roster read from the fixture.
SurveyRun& atRosterScreen(TestRun& test, const QString& fixture)
{
    SurveyRun& run = test.start();
    chooseClass8A(run);
    if (!putRoster(test, fixture))
        qFatal("cannot copy %s", qPrintable(fixture));
    run.showScreen(run.Form_FamFile);
    return run;
}

} // namespace

class TestFamFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ExcelApplication.clear(); }

    void looksAsDesigned()
    {
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "roster25.xls");
        TForm_FamFile* screen = run.Form_FamFile;
        QCOMPARE(screen->windowTitle(), QStringLiteral("Form_FamFile"));
        QCOMPARE(screen->size(), QSize(1023, 738));
        QCOMPARE(NEED(ShadowLabel, screen, "sLabelFX3")->text(),
                 QStringLiteral("   Выделите свою фамилию в таблице, \n"
                                "отметив свое участие в исследованиях."));
        QVERIFY(controls::seen(NEED(QWidget, screen, "Shader1")));

        auto* grid = NEED(ButtonCellGrid, screen, "AdvStringGrid1");
        QCOMPARE(grid->size(), QSize(154, 665));
        QVERIFY(screen->width() - grid->geometry().right() < 60); // at the right edge
        QCOMPARE(grid->columnWidth(0), 150);
        QCOMPARE(grid->columnWidth(1), 1);
        QCOMPARE(grid->defaultRowHeight(), 20);
        QCOMPARE(grid->visibleRowCount(), 33);
        QCOMPARE(grid->fixedColumns(), 1);
        QVERIFY(!grid->isScrollBarShown());
        QVERIFY(grid->font().bold());
        QCOMPARE(grid->font().pixelSize(), 13);

        auto* box = NEED(QLineEdit, screen, "Edit1");
        QCOMPARE(box->size(), QSize(225, 35));
        QVERIFY(!box->isEnabled());
        QVERIFY(box->text().isEmpty());
        QVERIFY(!controls::seen(NEED(GlassButton, screen, "AdvGlassButton1")));
        QCOMPARE(NEED(GlassButton, screen, "AdvGlassButton1")->text(),
                 QStringLiteral("Продолжить"));
    }

    void pressingTheTenthNameShowsItAndOffersContinue()
    {
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "roster25.xls");
        TForm_FamFile* screen = run.Form_FamFile;
        QLineEdit* finishBox = finishSurnameBox(run);
        auto* grid = NEED(ButtonCellGrid, screen, "AdvStringGrid1");
        QCOMPARE(grid->rowCount(), 25);
        QCOMPARE(run.state.RosterLoaded, 0); // nothing picked yet

        CLICK_ROW(grid, 9);
        QCOMPARE(NEED(QLineEdit, screen, "Edit1")->text(), QStringLiteral("Кузнецов    "));
        QCOMPARE(finishBox->text(), QStringLiteral("Кузнецов    "));
        QCOMPARE(run.state.Surname, QStringLiteral("Кузнецов    "));
        QCOMPARE(run.state.RosterLoaded, 1);

        PRESS(screen, "AdvGlassButton1");
        QVERIFY(run.Form1_Ball->isVisible());
        QCOMPARE(run.windows().topWindow(), run.Form1_Ball);
        QVERIFY(screen->isVisible()); // left open underneath
        QVERIFY(run.state.TestStartTime != 0);
    }

    void aSecondPickReplacesTheFirst()
    {
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "roster25.xls");
        QLineEdit* finishBox = finishSurnameBox(run);
        ButtonCellGrid* grid = run.Form_FamFile->AdvStringGrid1;
        CLICK_ROW(grid, 2);
        CLICK_ROW(grid, 24);
        QCOMPARE(run.state.Surname, QStringLiteral("Щербакова   "));
        QCOMPARE(finishBox->text(), QStringLiteral("Щербакова   "));
        QCOMPARE(run.Form_FamFile->Edit1->text(), QStringLiteral("Щербакова   "));
        QCOMPARE(run.state.RosterLoaded, 1);
    }

    void aRowWithoutANamePicksNobody()
    {
        // Row 4 of this roster is an empty cell. Pressing it leads on, but the finish screen
        // must then ask for the surname: no name, and RosterLoaded 0.
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "gap_from_b3.xls");
        QLineEdit* finishBox = finishSurnameBox(run);
        ButtonCellGrid* grid = run.Form_FamFile->AdvStringGrid1;
        QCOMPARE(grid->cell(0, 4), QString());

        CLICK_ROW(grid, 4);
        QVERIFY(controls::seen(run.Form_FamFile->AdvGlassButton1));
        QCOMPARE(run.state.Surname, QString());
        QCOMPARE(run.state.RosterLoaded, 0);

        CLICK_ROW(grid, 1);
        QCOMPARE(run.state.Surname, QStringLiteral("Белов       "));
        QCOMPARE(run.state.RosterLoaded, 1);

        CLICK_ROW(grid, 4); // the later press decides: nobody
        QCOMPARE(run.Form_FamFile->Edit1->text(), QString());
        QCOMPARE(finishBox->text(), QString());
        QCOMPARE(run.state.Surname, QString());
        QCOMPARE(run.state.RosterLoaded, 0);
        PRESS(run.Form_FamFile, "AdvGlassButton1");
        QCOMPARE(run.windows().topWindow(), run.Form1_Ball);
    }

    void workbookGoneAtActivationGoesStraightToTheGradesScreen()
    {
        TestRun test;
        SurveyRun& run = test.start();
        const ReaderRuns readers;
        chooseClass8A(run); // the class screen saw the workbook, which has gone since
        run.showScreen(run.Form_FamFile);
        QCOMPARE(run.windows().topWindow(), run.Form1_Ball);
        QVERIFY(run.Form1_Ball->isVisible());
        QCOMPARE(run.state.RosterLoaded, 0);
        QCOMPARE(readers.count(), 0);
        QVERIFY(test.boxTexts().isEmpty());
    }

    void workbookGoneAfterThePickKeepsThePick()
    {
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "roster25.xls");
        CLICK_ROW(run.Form_FamFile->AdvStringGrid1, 0);
        QVERIFY(QFile::remove(test.path(WorkbookName)));
        run.showMessage(QStringLiteral("Проверка")); // the screen becomes active again
        QCOMPARE(run.windows().topWindow(), run.Form1_Ball);
        QCOMPARE(run.state.Surname, QStringLiteral("Абрамова    "));
        QCOMPARE(run.state.RosterLoaded, 1);
    }

    void becomingActiveAgainReadsAgainAndKeepsThePick()
    {
        TestRun test;
        SurveyRun& run = test.start();
        const ReaderRuns readers;
        chooseClass8A(run);
        QVERIFY(putRoster(test, "roster25.xls"));
        run.showScreen(run.Form_FamFile);
        QCOMPARE(readers.count(), 1);
        CLICK_ROW(run.Form_FamFile->AdvStringGrid1, 5);

        run.showMessage(QStringLiteral("Проверка"));
        QCOMPARE(readers.count(), 2);
        QCOMPARE(namesOf(run.Form_FamFile->AdvStringGrid1), inGrid(surnames(0, 25)));
        QCOMPARE(run.Form_FamFile->Edit1->text(), QStringLiteral("Егоров      "));
        QCOMPARE(run.state.Surname, QStringLiteral("Егоров      "));
        QVERIFY(controls::seen(run.Form_FamFile->AdvGlassButton1));
    }

    void closingOnlyHidesAndTheClassScreenIsInFront()
    {
        TestRun test;
        SurveyRun& run = test.start();
        PRESS(run.Form_Vveden, "AdvGlassButton1"); // the class screen, modally
        QCOMPARE(run.windows().topWindow(), run.Form8_Coord);
        chooseClass8A(run);
        QVERIFY(putRoster(test, "roster25.xls"));
        run.showScreen(run.Form_FamFile);
        QCOMPARE(run.windows().topWindow(), run.Form_FamFile);

        run.Form_FamFile->close();
        QVERIFY(!run.Form_FamFile->isVisible());
        QVERIFY(!test.ended());
        QVERIFY(!run.terminationRequested());
        QCOMPARE(run.windows().topWindow(), run.Form8_Coord);
        QVERIFY(run.Form8_Coord->isVisible());
        QVERIFY(run.Form8_Coord->isEnabled());
    }

    // A pick belongs to the roster it came from. The pupil picks a name on the roster of 8 А,
    // closes the roster screen and continues with another class: the name stays only for 8 А.
    void aPickStaysOnlyWithItsOwnClass_data()
    {
        QTest::addColumn<QString>("stream");      // objectName of the stream button pressed then
        QTest::addColumn<QString>("classButton"); // of the class button
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("nextScreen");
        QTest::newRow("8 А again") << "Button12"
                                   << "Button8" << true << "Form_FamFile";
        QTest::newRow("8 Б, another roster") << "Button13"
                                             << "Button8" << false << "Form_FamFile";
        QTest::newRow("9 А, no roster") << "Button12"
                                        << "Button9" << false << "Form1_Ball";
    }
    void aPickStaysOnlyWithItsOwnClass()
    {
        QFETCH(QString, stream);
        QFETCH(QString, classButton);
        QFETCH(bool, kept);
        QFETCH(QString, nextScreen);
        TestRun test;
        SurveyRun& run = test.start();
        QVERIFY(QFile::copy(RosterFixtures::path("roster25.xls"), test.path("8А.xls")));
        QVERIFY(QFile::copy(RosterFixtures::path("roster25.xls"), test.path("8Б.xls")));
        PRESS(run.Form_Vveden, "AdvGlassButton1");
        PRESS(run.Form8_Coord, "Button8");
        PRESS(run.Form8_Coord, "Button12");
        PRESS(run.Form8_Coord, "Button20");
        PRESS(run.Form8_Coord, "AdvGlassButton1");
        CLICK_ROW(run.Form_FamFile->AdvStringGrid1, 9);
        QCOMPARE(run.state.Surname, QStringLiteral("Кузнецов    "));
        run.Form_FamFile->close();

        PRESS_NAMED(run.Form8_Coord, classButton);
        PRESS_NAMED(run.Form8_Coord, stream);
        PRESS(run.Form8_Coord, "AdvGlassButton1");
        QCOMPARE(run.windows().topWindow()->objectName(), nextScreen);
        const QString name = kept ? QStringLiteral("Кузнецов    ") : QString();
        QCOMPARE(run.state.Surname, name);
        QCOMPARE(run.state.RosterLoaded, kept ? 1 : 0);
        QCOMPARE(run.Form_FamFile->Edit1->text(), name);
        QCOMPARE(run.Form7_Fam->Edit1->text(), name);
        QCOMPARE(controls::seen(run.Form_FamFile->AdvGlassButton1), kept);
    }

    void fortyNamesScrollAndTheLastCanBePicked()
    {
        TestRun test;
        SurveyRun& run = atRosterScreen(test, "forty.xls");
        TForm_FamFile* screen = run.Form_FamFile;
        ButtonCellGrid* grid = screen->AdvStringGrid1;
        QCOMPARE(grid->rowCount(), 40);
        QVERIFY(grid->isScrollBarShown());
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->width(), 154 + grid->scrollBarExtent());
        QVERIFY(screen->rect().contains(grid->geometry()));
        QVERIFY(!roster::clickRow(grid, 39)); // out of view until scrolled

        scrollTo(grid, 39);
        CLICK_ROW(grid, 39);
        QCOMPARE(screen->Edit1->text(), QStringLiteral("Сергеева    "));
        QCOMPARE(run.state.Surname, QStringLiteral("Сергеева    "));
    }

    void screenshotsAsThePupilSeesThem_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("pickedRow");
        QTest::newRow("25 names") << "roster25.xls" << 9;
        QTest::newRow("40 names") << "forty.xls" << 37;
    }
    void screenshotsAsThePupilSeesThem()
    {
        QFETCH(QString, fixture);
        QFETCH(int, pickedRow);
        TestRun test;
        SurveyRun& run = atRosterScreen(test, fixture);
        TForm_FamFile* screen = run.Form_FamFile;
        scrollTo(screen->AdvStringGrid1, pickedRow);
        CLICK_ROW(screen->AdvStringGrid1, pickedRow);
        // Everything stands inside the window.
        for (QWidget* control :
             screen->Shader1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(screen->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        const QImage image = screen->grab().toImage();
        QCOMPARE(image.size(), QSize(1023, 738));
        const QString path = screenshotPath(
            QStringLiteral("famfile_%1.png").arg(screen->AdvStringGrid1->rowCount()));
        QVERIFY2(image.save(path), qPrintable(path));
    }
};

SURVEY_TEST_MAIN(TestFamFile)
#include "tst_famfile.moc"
