// The grade refinement form: its input widgets and what each of them shows, in the system's
// decimal notation; closing it only hides it.

#include "screens/Unit8_Coord.h"
#include "screens/Unit_MarkPM.h"
#include "support/Controls.h"
#include "support/Screenshots.h"
#include "support/TestRun.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

namespace {

// The form as the class screen's hidden Button19 shows it.
TFormMarkPM* openForm(TestRun& test)
{
    SurveyRun& run = test.start();
    run.Form8_Coord->Button19Click();
    auto* form = qobject_cast<TFormMarkPM*>(test.screen("FormMarkPM"));
    if (!form || !form->isVisible())
        qFatal("the grade refinement form is not shown");
    return form;
}

// Drags the track bar to a grade, as the pointer would move it in tenths.
void dragTrackBar(TFormMarkPM* form, double grade)
{
    form->AdvSmoothTrackBar4->setSliderDown(true);
    form->AdvSmoothTrackBar4->setSliderPosition(qRound(grade * TFormMarkPM::TrackBarScale));
    form->AdvSmoothTrackBar4->setSliderDown(false);
}

QColor textColour(const QLineEdit* edit)
{
    return edit->palette().color(QPalette::Text);
}

void spin(UpDownSpinner* spinner, bool up)
{
    QTest::mouseClick(up ? spinner->upButton() : spinner->downButton(), Qt::LeftButton);
}

} // namespace

class TestMarkPM : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState()
    {
        TestRun test;
        TFormMarkPM* form = openForm(test);
        form->grab().save(screenshotPath(QStringLiteral("survey-markpm.png")));
        QCOMPARE(form->windowTitle(), QStringLiteral("FormMarkPM"));
        QCOMPARE(form->AdvSmoothTrackBar4->minimum(), 20);
        QCOMPARE(form->AdvSmoothTrackBar4->maximum(), 50);
        QCOMPARE(form->trackBarPosition(), 3.0);
        QCOMPARE(form->Edit1->text(), QStringLiteral("3"));
        QCOMPARE(form->ScrollBarAlg->minimum(), 20);
        QCOMPARE(form->ScrollBarAlg->maximum(), 50);
        QCOMPARE(form->ScrollBarAlg->value(), 20);
        QCOMPARE(form->sUpDown1->minimum(), 20);
        QCOMPARE(form->sUpDown1->maximum(), 50);
        QCOMPARE(form->sUpDown1->position(), 20);
        QCOMPARE(form->Edit2->text(), QStringLiteral("20"));
        QVERIFY(!controls::seen(form->Edit2));
        QCOMPARE(form->Label1->text(), QStringLiteral("Label1"));
        QCOMPARE(form->Button1->text(), QStringLiteral("4"));
        QCOMPARE(form->Button2->text(), QStringLiteral("5"));
        QCOMPARE(form->AdvProgressBar3->value(), 80);
        QCOMPARE(form->AdvProgress1->value(), 40);
        QCOMPARE(form->AdvProgressBar1->value(), 50);
        QCOMPARE(NEED(QLabel, form, "sLabelFX3")->text(), QStringLiteral("Версия 220317"));
    }

    void scrollBarShowsTenthsInTheSystemNotation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("35, Russian") << russian << 35 << "3,5";
        QTest::newRow("35, English") << english << 35 << "3.5";
        QTest::newRow("40: no trailing zero") << russian << 40 << "4";
        QTest::newRow("23") << russian << 23 << "2,3";
        QTest::newRow("50") << english << 50 << "5";
    }
    void scrollBarShowsTenthsInTheSystemNotation()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, position);
        QFETCH(QString, shown);
        TestRun test;
        test.environment().locale = locale;
        TFormMarkPM* form = openForm(test);
        form->ScrollBarAlg->setValue(position);
        QCOMPARE(form->Edit1->text(), shown);
    }

    void trackBarColoursTheGrade()
    {
        TestRun test;
        TFormMarkPM* form = openForm(test);
        const QColor teal = textColour(form->Edit1);

        dragTrackBar(form, 3.2);
        QCOMPARE(form->Edit1->text(), QStringLiteral("3,2"));
        QCOMPARE(textColour(form->Edit1), teal);

        dragTrackBar(form, 2.3);
        QCOMPARE(form->Edit1->text(), QStringLiteral("2,3"));
        QCOMPARE(textColour(form->Edit1), QColor(Qt::red));

        dragTrackBar(form, 3.0);
        QCOMPARE(form->Edit1->text(), QStringLiteral("3"));
        QCOMPARE(textColour(form->Edit1), QColor(Qt::red)); // never set back

        dragTrackBar(form, 4.5);
        QCOMPARE(textColour(form->Edit1), QColor(Qt::red)); // 4.5 is not above 4.5

        dragTrackBar(form, 4.8);
        QCOMPARE(form->Edit1->text(), QStringLiteral("4,8"));
        QCOMPARE(textColour(form->Edit1), QColor(Qt::blue));

        dragTrackBar(form, 2.5);
        QCOMPARE(textColour(form->Edit1), QColor(Qt::blue)); // 2.5 is not below 2.5
        dragTrackBar(form, 2.4);
        QCOMPARE(textColour(form->Edit1), QColor(Qt::red));
        form->grab().save(screenshotPath(QStringLiteral("survey-markpm-red.png")));
    }

    void buttonFourThenTwoStepsUp()
    {
        TestRun test;
        TFormMarkPM* form = openForm(test);
        PRESS(form, "Button1");
        QCOMPARE(form->sUpDown1->position(), 40);
        QCOMPARE(form->Edit2->text(), QStringLiteral("40"));
        QVERIFY(form->Label1->text() == QLatin1String("4.0") ||
                form->Label1->text() == QLatin1String("4"));

        spin(form->sUpDown1, true);
        spin(form->sUpDown1, true);
        QCOMPARE(form->sUpDown1->position(), 42);
        QCOMPARE(form->Label1->text(), QStringLiteral("4,2"));

        for (int i = 0; i < 10; ++i)
            spin(form->sUpDown1, true);
        QCOMPARE(form->sUpDown1->position(), 45);
        QCOMPARE(form->Label1->text(), QStringLiteral("4,5"));
        for (int i = 0; i < 20; ++i)
            spin(form->sUpDown1, false);
        QCOMPARE(form->sUpDown1->position(), 35);
        QCOMPARE(form->Label1->text(), QStringLiteral("3,5"));

        PRESS(form, "Button2");
        QCOMPARE(form->sUpDown1->position(), 50);
        QCOMPARE(form->sUpDown1->minimum(), 45);
        QCOMPARE(form->sUpDown1->maximum(), 50);
        spin(form->sUpDown1, true);
        QCOMPARE(form->sUpDown1->position(), 50);
        for (int i = 0; i < 8; ++i)
            spin(form->sUpDown1, false);
        QCOMPARE(form->sUpDown1->position(), 45);
        QCOMPARE(form->Label1->text(), QStringLiteral("4,5"));
    }

    void spinButtonsMoveTwoBars()
    {
        TestRun test;
        TFormMarkPM* form = openForm(test);
        auto* pair = NEED(SpinButtonPair, form, "SpinButton1");
        QTest::mouseClick(pair->upButton(), Qt::LeftButton);
        QTest::mouseClick(pair->upButton(), Qt::LeftButton);
        QCOMPARE(form->AdvProgressBar3->value(), 82);
        QCOMPARE(form->AdvProgress1->value(), 42);
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(pair->downButton(), Qt::LeftButton);
        QCOMPARE(form->AdvProgressBar3->value(), 77);
        QCOMPARE(form->AdvProgress1->value(), 37);
        QCOMPARE(form->AdvProgressBar1->value(), 50);
    }

    void closingOnlyHidesAndKeepsTheControls()
    {
        TestRun test;
        TFormMarkPM* form = openForm(test);
        form->ScrollBarAlg->setValue(44);
        form->close();
        QVERIFY(!form->isVisible());
        QVERIFY(!test.ended());
        QVERIFY(!test.run().terminationRequested());
        QVERIFY(test.run().mainWindow()->isVisible());

        test.run().Form8_Coord->Button19Click();
        QVERIFY(form->isVisible());
        QCOMPARE(form->Edit1->text(), QStringLiteral("4,4"));
    }
};

SURVEY_TEST_MAIN(TestMarkPM)
#include "tst_markpm.moc"
