// The classmate choice screen: four questions, up to three classmates each in order of
// preference, and the 144 characters of ClassmateChoiceAnswer.

#include "RosterScreens.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit6_Treb.h"
#include "support/Screenshots.h"
#include "widgets/GlassButton.h"
#include "widgets/GlowButton.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QImage>
#include <QLabel>

using RosterFixtures::surnames;
using namespace roster;

namespace {

const QString Blanks12(12, QLatin1Char(' '));

// A run of class 8 А that has picked its surname on the roster screen and passed the demanding
// teachers screen: the classmate screen is shown.
SurveyRun& atClassmateScreen(TestRun& test, const QString& fixture = "roster25.xls")
{
    SurveyRun& run = test.start();
    chooseClass8A(run);
    if (!putRoster(test, fixture))
        qFatal("cannot copy %s", qPrintable(fixture));
    run.showScreen(run.Form_FamFile);
    if (!roster::clickRow(run.Form_FamFile->AdvStringGrid1, 0))
        qFatal("the roster screen offers no name");
    run.Form_FamFile->AdvGlassButton1->click(); // on to the grades screen: the test clock starts
    test.clock().advanceSeconds(9 * 60 + 14);
    run.showScreen(run.Form6_Treb);
    run.showScreen(run.Form_Psychology1);
    return run;
}

ButtonCellGrid* grid(SurveyRun& run, int question)
{
    return NEED_NAMED(ButtonCellGrid, run.Form_Psychology1,
                      QStringLiteral("AdvStringGrid%1").arg(question));
}

QString name(int row)
{
    return inGrid(surnames()[row]);
}

int barLeft(SurveyRun& run)
{
    return NEED(SegmentedVerticalBar, run.Form_Psychology1, "AdvProgressBar1")->x();
}

} // namespace

// Passes question q (1 to 4) with its "nobody" button and its Continue.
#define PASS_WITH_NOBODY(run, q)                                                                   \
    do {                                                                                           \
        PRESS_NAMED((run).Form_Psychology1, QStringLiteral("AdvGlowButton%1").arg(q));             \
        PRESS_NAMED((run).Form_Psychology1, QStringLiteral("AdvGlassButton%1").arg(q));            \
    } while (false)

class TestPsychology1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ExcelApplication.clear(); }

    void looksAsDesigned()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        QCOMPARE(screen->windowTitle(), QStringLiteral("Form_Psychology1"));
        QCOMPARE(screen->size(), QSize(1135, 810));
        QCOMPARE(screen->palette().color(QPalette::Window), QColor(26, 33, 40));
        auto* title = NEED(QLabel, screen, "Panel1");
        QCOMPARE(title->text(),
                 QStringLiteral("ВЫБЕРИТЕ 3-ех  ОДНОКЛАССНИКОВ НАЖАВ НА ИХ ФАМИЛИИ В ТАБЛИЦЕ"));
        QCOMPARE(title->height(), 31);
        QVERIFY(!controls::seen(NEED(QLabel, screen, "Label24")));
        QCOMPARE(NEED(SegmentedVerticalBar, screen, "AdvProgressBar1")->height(), 770);
    }

    void questionPanelsCarryTheirTexts_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("nobody");
        QTest::newRow("1") << 1 << "  С кем бы Вы хотели\n сидеть за одной партой?"
                           << "Ни с кем";
        QTest::newRow("2") << 2 << "Кого бы Вы выбрали\n  старостой класса?"
                           << "Ни кого";
        QTest::newRow("3") << 3 << "  Выберите учащихся для\nспортивных соревнований"
                           << "Ни кого";
        QTest::newRow("4") << 4 << "Выбирете учащихся на\n  научную олимпиаду"
                           << "Ни кого";
    }
    void questionPanelsCarryTheirTexts()
    {
        QFETCH(int, question);
        QFETCH(QString, text);
        QFETCH(QString, nobody);
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        auto* panel = NEED_NAMED(QWidget, screen, QStringLiteral("Panel%1").arg(question + 1));
        QCOMPARE(panel->size(), QSize(220, 770));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(30, 39, 45));
        QCOMPARE(controls::seen(panel), question == 1);
        QCOMPARE(NEED_NAMED(QLabel, panel, QStringLiteral("Label%1").arg(question))->text(), text);
        auto* nobodyButton =
            NEED_NAMED(GlowButton, panel, QStringLiteral("AdvGlowButton%1").arg(question));
        QCOMPARE(nobodyButton->text(), nobody);
        QCOMPARE(nobodyButton->size(), QSize(150, 23));
        auto* proceed =
            NEED_NAMED(GlassButton, panel, QStringLiteral("AdvGlassButton%1").arg(question));
        QCOMPARE(proceed->text(), QStringLiteral("Продолжить"));
        QVERIFY(!proceed->isVisibleTo(panel));
        auto* choices =
            NEED_NAMED(ButtonCellGrid, panel, QStringLiteral("AdvStringGrid%1").arg(question));
        QCOMPARE(choices->size(), QSize(154, 665));
        QCOMPARE(choices->columnWidth(0), 150);
        QCOMPARE(choices->columnWidth(1), 13);
        QCOMPARE(choices->visibleRowCount(), 33);
        QCOMPARE(namesOf(choices), inGrid(surnames(0, 25)));
    }

    void threePicksAreMarkedInOrderAndAFourthIsIgnored()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        ButtonCellGrid* first = grid(run, 1);
        GlassButton* proceed = NEED(GlassButton, run.Form_Psychology1, "AdvGlassButton1");
        CLICK_ROW(first, 4);
        CLICK_ROW(first, 1);
        QVERIFY(!controls::seen(proceed));
        CLICK_ROW(first, 7);
        QVERIFY(controls::seen(proceed));
        QStringList marks(25);
        marks[4] = "1";
        marks[1] = "2";
        marks[7] = "3";
        QCOMPARE(marksOf(first), marks);

        CLICK_ROW(first, 10);
        QCOMPARE(marksOf(first), marks);

        PRESS(run.Form_Psychology1, "AdvGlassButton1");
        for (int q = 2; q <= 4; ++q)
            PASS_WITH_NOBODY(run, q);
        QCOMPARE(run.state.ClassmateChoiceAnswer,
                 name(4) + name(1) + name(7) + QString(108, QLatin1Char(' ')));
    }

    void clickingAChosenNameResetsTheQuestion()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        ButtonCellGrid* first = grid(run, 1);
        CLICK_ROW(first, 0);
        CLICK_ROW(first, 2);
        CLICK_ROW(first, 3);
        CLICK_ROW(first, 2); // chosen: every mark and every choice of the question goes
        QCOMPARE(marksOf(first), QStringList(25));
        QVERIFY(controls::seen(NEED(GlassButton, run.Form_Psychology1, "AdvGlassButton1")));
        CLICK_ROW(first, 6);
        QCOMPARE(first->cell(1, 6), QStringLiteral("1"));
    }

    void threeThenResetThenOneGivesTheNameAnd24Blanks()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        ButtonCellGrid* first = grid(run, 1);
        CLICK_ROW(first, 0);
        CLICK_ROW(first, 1);
        CLICK_ROW(first, 2);
        CLICK_ROW(first, 0);
        CLICK_ROW(first, 11);
        PRESS(run.Form_Psychology1, "AdvGlassButton1");
        for (int q = 2; q <= 4; ++q)
            PASS_WITH_NOBODY(run, q);
        QCOMPARE(run.state.ClassmateChoiceAnswer.left(36),
                 QStringLiteral("Морозов     ") + QString(24, QLatin1Char(' ')));
    }

    void nobodyAtOnceGives36Blanks()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        PASS_WITH_NOBODY(run, 1);
        ButtonCellGrid* second = grid(run, 2);
        CLICK_ROW(second, 3);
        CLICK_ROW(second, 4);
        CLICK_ROW(second, 5);
        PRESS(run.Form_Psychology1, "AdvGlassButton2");
        PASS_WITH_NOBODY(run, 3);
        PASS_WITH_NOBODY(run, 4);
        QCOMPARE(run.state.ClassmateChoiceAnswer, QString(36, QLatin1Char(' ')) + name(3) +
                                                      name(4) + name(5) +
                                                      QString(72, QLatin1Char(' ')));
    }

    void aSixLetterNameIsFollowedBySixBlanks()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        CLICK_ROW(grid(run, 1), 7);
        PASS_WITH_NOBODY(run, 1);
        for (int q = 2; q <= 4; ++q)
            PASS_WITH_NOBODY(run, q);
        QCOMPARE(run.state.ClassmateChoiceAnswer.left(12), QStringLiteral("Зайцев      "));
        QCOMPARE(run.state.ClassmateChoiceAnswer.size(), 144);
    }

    void fourQuestionsWithThreeOneAndNoChoicesByteForByte()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        QStringList expected;

        for (int row : {24, 0, 12})
            CLICK_ROW(grid(run, 1), row);
        expected << surnames()[24] << surnames()[0] << surnames()[12];
        PRESS(screen, "AdvGlassButton1");

        CLICK_ROW(grid(run, 2), 20); // "Харитонова": ten letters
        expected << surnames()[20] << QString() << QString();
        PRESS(screen, "AdvGlowButton2");
        PRESS(screen, "AdvGlassButton2");

        PRESS(screen, "AdvGlowButton3");
        PRESS(screen, "AdvGlassButton3");
        expected << QString() << QString() << QString();

        for (int row : {3, 3, 8, 7, 6}) // a reset in between: 8, 7, 6 remain
            CLICK_ROW(grid(run, 4), row);
        expected << surnames()[8] << surnames()[7] << surnames()[6];
        PRESS(screen, "AdvGlassButton4");

        QString answer;
        for (const QString& choice : expected)
            answer += choice + QString(12 - choice.size(), QLatin1Char(' '));
        QCOMPARE(answer.size(), 144);
        QCOMPARE(run.state.ClassmateChoiceAnswer, answer);
        QCOMPARE(run.windows().topWindow(), run.Form7_Fam);
        QVERIFY(run.Form7_Fam->isVisible());
    }

    void aChoiceChangedInQuestion1AfterQuestion3IsReachedIsTheOneStored()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        for (int row : {1, 2, 3})
            CLICK_ROW(grid(run, 1), row);
        PRESS(screen, "AdvGlassButton1");
        PASS_WITH_NOBODY(run, 2);
        QVERIFY(controls::seen(NEED(QWidget, screen, "Panel4")));
        QVERIFY(controls::seen(NEED(QWidget, screen, "Panel2"))); // still shown and usable

        CLICK_ROW(grid(run, 1), 2);  // reset
        CLICK_ROW(grid(run, 1), 17); // "Тихонов"
        PASS_WITH_NOBODY(run, 3);
        PASS_WITH_NOBODY(run, 4);
        QCOMPARE(run.state.ClassmateChoiceAnswer,
                 QStringLiteral("Тихонов     ") + QString(132, QLatin1Char(' ')));
    }

    void workbookMissingAtActivationGoesToTheFinishScreen()
    {
        TestRun test;
        SurveyRun& run = test.start();
        chooseClass8A(run);
        QVERIFY(putRoster(test, "roster25.xls"));
        run.showScreen(run.Form_FamFile);
        run.showScreen(run.Form6_Treb);
        QVERIFY(QFile::remove(test.path(WorkbookName)));

        run.showScreen(run.Form_Psychology1);
        QCoreApplication::processEvents(); // the finish screen comes once the showing is over
        QCOMPARE(run.windows().topWindow(), run.Form7_Fam);
        QVERIFY(run.Form7_Fam->isVisible());
        QCOMPARE(run.state.ClassmateChoiceAnswer, QString(144, QLatin1Char(' ')));
        QVERIFY(test.boxTexts().isEmpty());
    }

    void theBarAndTheScreenClockStartAgainAtEachQuestion()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        auto* bar = NEED(SegmentedVerticalBar, screen, "AdvProgressBar1");
        QCOMPARE(barLeft(run), 294);
        QCOMPARE(screen->ScreenStartTime, test.clock().now());

        const int lefts[] = {294, 570, 842, 1108};
        for (int q = 1; q <= 4; ++q) {
            QWidget* panel = screen->Panels[q - 1];
            QCOMPARE(barLeft(run), lefts[q - 1]);
            QCOMPARE(panel->geometry().right() + 1, lefts[q - 1]); // at the panel's right edge
            QCOMPARE(bar->y(), panel->y());
            test.clock().advanceSeconds(35);
            screen->Timer1Timer();
            QCOMPARE(bar->position(), 42);
            if (q == 4)
                break;
            PASS_WITH_NOBODY(run, q);
            QCOMPARE(bar->position(), 100);
            QCOMPARE(screen->ScreenStartTime, test.clock().now());
            screen->Timer1Timer();
            QCOMPARE(bar->position(), 100);
            QVERIFY(controls::seen(screen->Panels[q]));
        }
    }

    void theFirstClickWidensTheGridToShowTheMarks()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        ButtonCellGrid* first = grid(run, 1);
        QCOMPARE(first->width(), 154);
        CLICK_ROW(first, 0);
        QCOMPARE(first->width(), 167);
        QVERIFY(first->cellRect(1, 0).width() == 12); // the whole mark cell is in view
    }

    void fortyNamesScrollAndTheResetClearsEveryRow()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test, "forty.xls");
        TForm_Psychology1* screen = run.Form_Psychology1;
        ButtonCellGrid* first = grid(run, 1);
        QCOMPARE(first->rowCount(), 40);
        QVERIFY(first->isScrollBarShown());
        QCOMPARE(first->width(), 154 + first->scrollBarExtent());

        scrollTo(first, 39);
        CLICK_ROW(first, 39);
        QCOMPARE(first->width(), 167 + first->scrollBarExtent());
        QVERIFY(screen->Panels[0]->rect().contains(first->geometry()));
        CLICK_ROW(first, 37);
        CLICK_ROW(first, 38);
        QCOMPARE(first->cell(1, 39), QStringLiteral("1"));
        QCOMPARE(first->cell(1, 38), QStringLiteral("3"));

        CLICK_ROW(first, 37); // reset: the marks beyond row 35 go too
        QCOMPARE(marksOf(first), QStringList(40));
        CLICK_ROW(first, 36);
        PRESS(screen, "AdvGlowButton1");
        PRESS(screen, "AdvGlassButton1");
        for (int q = 2; q <= 4; ++q)
            PASS_WITH_NOBODY(run, q);
        QCOMPARE(run.state.ClassmateChoiceAnswer,
                 QStringLiteral("Новиков     ") + QString(132, QLatin1Char(' ')));
    }

    void showingAgainStartsAfreshAtQuestion1()
    {
        TestRun test;
        SurveyRun& run = atClassmateScreen(test);
        TForm_Psychology1* screen = run.Form_Psychology1;
        for (int row : {1, 2, 3})
            CLICK_ROW(grid(run, 1), row);
        PRESS(screen, "AdvGlassButton1");
        CLICK_ROW(grid(run, 2), 5);

        screen->close(); // back to the demanding teachers screen
        QVERIFY(!screen->isVisible());
        QVERIFY(!test.ended());
        QCOMPARE(run.windows().topWindow(), run.Form6_Treb);

        test.clock().advanceSeconds(50);
        run.showScreen(screen); // its Continue shows the screen again
        QCOMPARE(screen->ScreenStartTime, test.clock().now());
        QCOMPARE(barLeft(run), 294);
        QVERIFY(controls::seen(screen->Panels[0]));
        for (int q = 1; q < 4; ++q)
            QVERIFY(!controls::seen(screen->Panels[q]));
        for (int q = 1; q <= 4; ++q) {
            QCOMPARE(marksOf(grid(run, q)), QStringList(25));
            QCOMPARE(namesOf(grid(run, q)), inGrid(surnames(0, 25)));
            QVERIFY(!screen->ContinueButtons[q - 1]->isVisibleTo(screen));
            QCOMPARE(grid(run, q)->width(), 154);
        }

        for (int row : {9, 8, 7}) // three more: the count started again from 0
            CLICK_ROW(grid(run, 1), row);
        QCOMPARE(grid(run, 1)->cell(1, 7), QStringLiteral("3"));
        PRESS(screen, "AdvGlassButton1");
        for (int q = 2; q <= 4; ++q)
            PASS_WITH_NOBODY(run, q);
        QCOMPARE(run.state.ClassmateChoiceAnswer,
                 name(9) + name(8) + name(7) + QString(108, QLatin1Char(' ')));
    }

    void becomingActiveWithoutBeingShownChangesNothing()
    {
        TestRun test;
        SurveyRun& run = test.start();
        const ReaderRuns readers;
        chooseClass8A(run);
        QVERIFY(putRoster(test, "roster25.xls"));
        run.showScreen(run.Form_FamFile);
        run.showScreen(run.Form6_Treb);
        run.showScreen(run.Form_Psychology1);
        QCOMPARE(readers.count(), 2);
        TForm_Psychology1* screen = run.Form_Psychology1;
        CLICK_ROW(grid(run, 1), 3);
        CLICK_ROW(grid(run, 1), 4);
        PRESS(screen, "AdvGlowButton1");
        PRESS(screen, "AdvGlassButton1");
        const double questionStart = screen->ScreenStartTime;
        test.clock().advanceSeconds(12);

        run.showMessage(QStringLiteral("Проверка")); // activated again when the box closes
        QCOMPARE(readers.count(), 2);
        QCOMPARE(grid(run, 1)->cell(1, 3), QStringLiteral("1"));
        QCOMPARE(grid(run, 1)->cell(1, 4), QStringLiteral("2"));
        QVERIFY(controls::seen(screen->Panels[1]));
        QCOMPARE(barLeft(run), 570);
        QCOMPARE(screen->ScreenStartTime, questionStart);

        CLICK_ROW(grid(run, 1), 5);
        QCOMPARE(grid(run, 1)->cell(1, 5), QStringLiteral("3"));
    }

    void screenshotsAsThePupilSeesThem_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("25 names") << "roster25.xls";
        QTest::newRow("40 names") << "forty.xls";
    }
    void screenshotsAsThePupilSeesThem()
    {
        QFETCH(QString, fixture);
        TestRun test;
        SurveyRun& run = atClassmateScreen(test, fixture);
        TForm_Psychology1* screen = run.Form_Psychology1;
        for (int row : {2, 9, 14})
            CLICK_ROW(grid(run, 1), row);
        PRESS(screen, "AdvGlassButton1");
        CLICK_ROW(grid(run, 2), 5);
        PRESS(screen, "AdvGlowButton2");
        PRESS(screen, "AdvGlassButton2");
        CLICK_ROW(grid(run, 3), 0);
        PRESS(screen, "AdvGlowButton3");
        PRESS(screen, "AdvGlassButton3");
        test.clock().advanceSeconds(33);
        screen->Timer1Timer();
        for (QWidget* panel : screen->Panels) {
            QVERIFY(screen->rect().contains(panel->geometry()));
            for (QWidget* control :
                 panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(panel->rect().contains(control->geometry()),
                         qPrintable(control->objectName()));
        }
        const QImage image = screen->grab().toImage();
        QCOMPARE(image.size(), QSize(1135, 810));
        const QString path =
            screenshotPath(QStringLiteral("psychology1_%1.png").arg(grid(run, 1)->rowCount()));
        QVERIFY2(image.save(path), qPrintable(path));
    }
};

SURVEY_TEST_MAIN(TestPsychology1)
#include "tst_psychology1.moc"
