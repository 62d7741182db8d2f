// The frame of the question screens: the total test time, the bar that empties over each minute
// on a screen, and closing the window.

#include "screens/QuestionScreen.h"
#include "screens/Unit7_Fam.h"
#include "support/Controls.h"
#include "support/Files.h"
#include "support/Screenshots.h"
#include "support/TestRun.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {

QuestionScreen* questionScreen(TestRun& test, const char* instance)
{
    auto* screen = qobject_cast<QuestionScreen*>(test.screen(instance));
    if (!screen)
        qFatal("%s is not a question screen", instance);
    return screen;
}

// The classmate screen stays only while the class has a roster workbook; an unreadable one
// is enough for the frame (its reading fails once, with a message).
void giveTheClassARoster(TestRun& test)
{
    test.run().state.RosterWorkbookName = QStringLiteral("8А.xls");
    QVERIFY(files::writeBytes(test.path(QStringLiteral("8А.xls")), QByteArray()));
}

QString testTime(QuestionScreen* screen)
{
    return NEED(QLineEdit, screen, "Edit1")->text();
}

int bar(QuestionScreen* screen)
{
    return NEED(SegmentedVerticalBar, screen, "AdvProgressBar1")->position();
}

// The first and last columns of an image where text is drawn: pixels much darker than the light
// background, away from the top and bottom rows (and the frame lines there).
std::pair<int, int> inkedColumns(const QImage& image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 3; y < image.height() - 3; ++y)
            if (qGray(image.pixel(x, y)) < 100) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// Where the text's first and last inked columns fall when it is drawn centred in a space of
// this width and nothing cuts it: in the box's font, on the box's colour.
std::pair<int, int> centredText(const QLineEdit* box, const QString& text, int width)
{
    const int left = 100;
    QImage canvas(width + 2 * left, box->height(), QImage::Format_RGB32);
    canvas.fill(box->palette().color(QPalette::Base));
    QPainter painter(&canvas);
    painter.setFont(box->font());
    painter.setPen(box->palette().color(QPalette::Text));
    painter.drawText(QRect(left, 0, width, box->height()), Qt::AlignCenter, text);
    painter.end();
    const auto [first, last] = inkedColumns(canvas);
    return {first - left, last - left};
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void totalTimeFromTheGradesScreenAndTheBarOfThisScreen()
    {
        TestRun test(QDateTime(QDate(2017, 3, 14), QTime(9, 58, 5)));
        SurveyRun& run = test.start();
        run.showScreen(questionScreen(test, "Form1_Ball")); // starts the test clock

        test.clock().advanceSeconds(135); // 10:00:20
        QuestionScreen* house = questionScreen(test, "Form2_House");
        run.showScreen(house);
        house->Timer1Timer();
        QCOMPARE(testTime(house), QStringLiteral("02:15"));
        QCOMPARE(bar(house), 100);

        test.clock().advanceSeconds(35);
        house->Timer1Timer();
        QCOMPARE(testTime(house), QStringLiteral("02:50"));
        QCOMPARE(bar(house), 42);
    }

    void barFollowsTheSecondsOfTheCurrentMinute_data()
    {
        QTest::addColumn<int>("secondsOnScreen");
        QTest::addColumn<int>("position");
        QTest::newRow("0 s") << 0 << 100;
        QTest::newRow("1 s") << 1 << 98;
        QTest::newRow("14 s") << 14 << 77;
        QTest::newRow("15 s") << 15 << 75;
        QTest::newRow("16 s") << 16 << 73;
        QTest::newRow("35 s") << 35 << 42;
        QTest::newRow("59 s") << 59 << 2;
        QTest::newRow("60 s, a new minute") << 60 << 100;
        QTest::newRow("61 s") << 61 << 98;
        QTest::newRow("119 s") << 119 << 2;
        QTest::newRow("an hour and 15 s") << 3615 << 75;
    }
    void barFollowsTheSecondsOfTheCurrentMinute()
    {
        QFETCH(int, secondsOnScreen);
        QFETCH(int, position);
        TestRun test;
        SurveyRun& run = test.start();
        run.showScreen(questionScreen(test, "Form1_Ball"));
        QuestionScreen* interest = questionScreen(test, "Form4_Intrest");
        test.clock().advanceSeconds(17);
        run.showScreen(interest);
        test.clock().advanceSeconds(secondsOnScreen);
        interest->Timer1Timer();
        QCOMPARE(bar(interest), position);
        QCOMPARE(NEED(QLineEdit, interest, "Edit3")->text().toInt(), secondsOnScreen % 60);
    }

    void gradesScreenUsesAFullStopAndShowsNoBar()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QuestionScreen* grades = questionScreen(test, "Form1_Ball");
        grades->Timer1Timer(); // hidden, before the test has begun: nothing of it is seen
        run.showScreen(grades);
        QCOMPARE(testTime(grades), QStringLiteral("00:00"));
        QCOMPARE(run.state.TestStartTime, test.clock().now());

        test.clock().advanceSeconds(187.6);
        grades->Timer1Timer();
        QCOMPARE(testTime(grades), QStringLiteral("03.07"));
        QVERIFY(!controls::seen(NEED(SegmentedVerticalBar, grades, "AdvProgressBar1")));
        QVERIFY(controls::seen(NEED(QLabel, grades, "Label24")));
        QCOMPARE(NEED(QLabel, grades, "Label24")->text(), QStringLiteral("Время теста"));
    }

    void afterAnHourTheMinutesStartAgain()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QuestionScreen* grades = questionScreen(test, "Form1_Ball");
        run.showScreen(grades);
        test.clock().advanceSeconds(3600 + 7);
        grades->Timer1Timer();
        QCOMPARE(testTime(grades), QStringLiteral("00.07"));
    }

    void clockSetBackDuringTheTestChangesNoElapsedTime()
    {
        TestRun test(QDateTime(QDate(2017, 10, 29), QTime(2, 59, 30)));
        SurveyRun& run = test.start();
        run.showScreen(questionScreen(test, "Form1_Ball"));
        test.clock().advanceSeconds(20);
        QuestionScreen* house = questionScreen(test, "Form2_House");
        run.showScreen(house);

        // Daylight saving ends: the wall clock goes back an hour.
        test.clock().setWallClock(QDateTime(QDate(2017, 10, 29), QTime(2, 0, 0)));
        test.clock().advanceSeconds(15);
        house->Timer1Timer();
        QCOMPARE(testTime(house), QStringLiteral("00:35"));
        QCOMPARE(bar(house), 75); // 15 s on the screen
    }

    // The widest time the box shows must be drawn whole, with background on both sides.
    void testTimeBoxShowsTheTimeWhole_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("homework 00:00") << "Form2_House" << 0 << "00:00";
        QTest::newRow("homework 59:59") << "Form2_House" << 3599 << "59:59";
        QTest::newRow("grades 59.59") << "Form1_Ball" << 3599 << "59.59";
        QTest::newRow("classmates 48:08") << "Form_Psychology1" << 2888 << "48:08";
    }
    void testTimeBoxShowsTheTimeWhole()
    {
        QFETCH(QString, instance);
        QFETCH(int, seconds);
        QFETCH(QString, shown);
        TestRun test;
        SurveyRun& run = test.start();
        run.showScreen(questionScreen(test, "Form1_Ball"));
        QuestionScreen* screen = questionScreen(test, qPrintable(instance));
        if (instance == QLatin1String("Form_Psychology1"))
            giveTheClassARoster(test);
        run.showScreen(screen);
        test.clock().advanceSeconds(seconds);
        screen->Timer1Timer();
        auto* box = NEED(QLineEdit, screen, "Edit1");
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->size(), QSize(45, 24));

        const QImage image = box->grab().toImage();
        const QString path = screenshotPath(
            QStringLiteral("frame_time_%1_%2.png").arg(instance, QString(shown).replace(':', '-')));
        QVERIFY2(image.save(path), qPrintable(path));
        // Between the frame lines (2 pixels on each side) the text stands whole, with background
        // on both sides, as wide as it is drawn on its own.
        const int inside = image.width() - 4;
        const auto [first, last] = inkedColumns(image.copy(2, 0, inside, image.height()));
        const auto [wholeFirst, wholeLast] = centredText(box, shown, inside);

        // Glyphs fall on fractions of a pixel: one column more or less is the same text.
        QVERIFY2(qAbs((last - first) - (wholeLast - wholeFirst)) <= 1,
                 qPrintable(QStringLiteral("%1 columns drawn instead of %2")
                                .arg(last - first + 1)
                                .arg(wholeLast - wholeFirst + 1)));
        // With room to spare: the line edit reserves the cursor and the overhang of glyphs, and
        // scrolls a text that leaves it no room, pushing it against one edge.
        const int freeLeft = first, freeRight = inside - 1 - last;
        QVERIFY2(freeLeft >= 4 && freeRight >= 4,
                 qPrintable(QStringLiteral("%1 and %2 columns free").arg(freeLeft).arg(freeRight)));
    }

    void textTypedIntoTheTimeBoxDoesNotStay()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QuestionScreen* eff = questionScreen(test, "Form3_Eff");
        run.showScreen(questionScreen(test, "Form1_Ball"));
        run.showScreen(eff);
        QTest::keyClicks(NEED(QLineEdit, eff, "Edit1"), QStringLiteral("99"));
        eff->Timer1Timer();
        QCOMPARE(testTime(eff), QStringLiteral("00:00"));
    }

    void timersTickEverySecondFromCreation()
    {
        TestRun test;
        test.start();
        for (const char* name :
             {"Form1_Ball", "Form2_House", "Form3_Eff", "Form4_Intrest", "Form_Dop", "Form5_Love",
              "Form6_Treb", "Form_Psychology1", "Form7_Fam"}) {
            auto* timer = NEED(QTimer, test.screen(name), "Timer1");
            QVERIFY2(timer->isActive() && timer->interval() == 1000, name);
        }
    }

    void closingAQuestionScreenEndsTheProgram_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<bool>("ends");
        for (const char* name : {"Form1_Ball", "Form2_House", "Form3_Eff", "Form4_Intrest",
                                 "Form_Dop", "Form5_Love", "Form6_Treb", "Form7_Fam"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        QTest::newRow("Form_Psychology1 only hides") << "Form_Psychology1" << false;
    }
    void closingAQuestionScreenEndsTheProgram()
    {
        QFETCH(QString, instance);
        QFETCH(bool, ends);
        TestRun test;
        SurveyRun& run = test.start();
        Screen* screen = test.screen(qPrintable(instance));
        giveTheClassARoster(test);
        run.showScreen(screen);
        screen->close();
        QVERIFY(!screen->isVisible());
        QCOMPARE(run.terminationRequested(), ends);
        QCOMPARE(test.ended(), ends);
        if (ends)
            QCOMPARE(test.endStatus(), 0);
        else
            QCOMPARE(run.windows().topWindow(), run.mainWindow());
        QVERIFY(!QDir(test.path("STAT")).entryList(QDir::Files).size());
    }

    void classmateScreenHasNoLabelAndItsOwnBar()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QuestionScreen* classmates = questionScreen(test, "Form_Psychology1");
        giveTheClassARoster(test);
        run.showScreen(classmates);
        auto* bar = NEED(SegmentedVerticalBar, classmates, "AdvProgressBar1");
        QCOMPARE(bar->geometry(), QRect(294, 36, 14, 770)); // beside question 1's panel
        QVERIFY(controls::seen(bar));
        QVERIFY(!controls::seen(NEED(QLabel, classmates, "Label24")));
    }

    void finishScreenShowsTheTestTimeUnderItsLabel()
    {
        TestRun test;
        SurveyRun& run = test.start();
        run.showScreen(questionScreen(test, "Form1_Ball"));
        test.clock().advanceSeconds(754);
        auto* finish = qobject_cast<TForm7_Fam*>(test.screen("Form7_Fam"));
        QVERIFY(finish);
        run.showScreen(finish);
        finish->Timer1Timer();
        QCOMPARE(NEED(QLineEdit, finish, "Edit2")->text(), QStringLiteral("12:34"));
        QCOMPARE(NEED(QLabel, finish, "sLabelFX4")->text(), QStringLiteral("Время тестирования"));
    }
};

SURVEY_TEST_MAIN(TestFrame)
#include "tst_frame.moc"
