// Start-up: the splash for the pause, then the thirteen screens with the introduction as the
// main window, and the introduction's way on to the class and gender screen.

#include "app/Screen.h"
#include "app/Startup.h"
#include "screens/ScreenTable.h"
#include "screens/Unit0_Zastavka.h"
#include "support/Controls.h"
#include "support/Screenshots.h"
#include "support/TestRun.h"

#include <QLabel>
#include <QTimer>

namespace {

struct ScreenRow
{
    const char* instance;
    const char* caption;
    QSize size;
};

// In the order of creation.
const ScreenRow Screens[] = {
    {"Form_Vveden", "Введение", {1024, 738}},
    {"Form1_Ball", "Оценка за четверть (полугодие, триместр)", {1024, 738}},
    {"Form2_House", "Домашняя загруженность", {1024, 738}},
    {"Form3_Eff", "Время", {1024, 738}},
    {"Form4_Intrest", "Отношение к предмету", {1022, 738}},
    {"Form5_Love", "Наиболее любимые преподаватели", {1024, 741}},
    {"Form6_Treb", "Наиболее требовательные преподаватели", {1024, 741}},
    {"Form7_Fam", "", {1132, 760}},
    {"Form8_Coord", "Координаты", {1024, 738}},
    {"Form_Dop", "Form_Dop", {1022, 738}},
    {"Form_Psychology1", "Form_Psychology1", {1135, 810}},
    {"Form_FamFile", "Form_FamFile", {1023, 738}},
    {"FormMarkPM", "FormMarkPM", {1227, 656}},
};

TForm0_Zastavka* findSplash()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (auto* splash = qobject_cast<TForm0_Zastavka*>(w))
            return splash;
    return nullptr;
}

QStringList screenNames()
{
    QStringList names;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (qobject_cast<Screen*>(w))
            names << w->objectName();
    return names;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splashAloneIsPaintedDuringThePause()
    {
        TestRun test;
        Environment env = test.environment();
        int pausedFor = 0;
        bool splashShownAndPainted = false;
        QStringList screensDuringPause{"not paused"};
        QStringList splashTexts;
        QSize splashSize;
        env.pause = [&](int ms) {
            pausedFor = ms;
            screensDuringPause = screenNames();
            if (TForm0_Zastavka* splash = findSplash()) {
                splashShownAndPainted = splash->isVisible() && splash->hasBeenPainted();
                splashSize = splash->size();
                for (const char* name : {"Label1", "Label2", "Label3"})
                    splashTexts << NEED_NAMED(QLabel, splash, QString::fromLatin1(name))->text();
                splash->grab().save(screenshotPath(QStringLiteral("survey-splash.png")));
            }
        };

        const std::unique_ptr<SurveyRun> run = startUp(env, surveyComposition());

        QCOMPARE(pausedFor, 2000);
        QVERIFY(splashShownAndPainted);
        QCOMPARE(splashSize, QSize(754, 361));
        QCOMPARE(splashTexts, (QStringList{"ОБРАЗОВАТЕЛЬНАЯ  БАЗА ДАННЫХ ",
                                           "ПРОГРАММА ВВОДА ДАННЫХ", "Версия 140417"}));
        QVERIFY(screensDuringPause.isEmpty());
        QCOMPARE(findSplash(), nullptr);
    }

    void thirteenScreensAndOnlyTheIntroductionVisible()
    {
        TestRun test;
        const std::unique_ptr<SurveyRun> run = startUp(test.environment(), surveyComposition());

        QCOMPARE(run->screens().size(), int(std::size(Screens)));
        for (int i = 0; i < run->screens().size(); ++i) {
            const Screen* screen = run->screens()[i];
            const ScreenRow& row = Screens[i];
            QCOMPARE(screen->objectName(), QString::fromUtf8(row.instance));
            QCOMPARE(screen->windowTitle(), QString::fromUtf8(row.caption));
            QCOMPARE(screen->size(), row.size);
            QCOMPARE(screen->isVisible(), i == 0);
            QVERIFY2(screen->isWindow(), row.instance);
        }
        QCOMPARE(run->mainWindow(), reinterpret_cast<Screen*>(run->Form_Vveden));
        QCOMPARE(run->windows().topWindow(), run->mainWindow());
    }

    void introductionShowsTheClassScreenModally()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QWidget* intro = run.mainWindow();
        const QStringList lines{"   Вам предлагается ответить на 7 - 11 простых вопросов",
                                "ВРЕМЯ ОТВЕТА НЕ ОГРАНИЧЕНО,",
                                "однако желательно потратить не более минуты на один вопрос"};
        for (const QString& line : lines) {
            const QList<QLabel*> labels = intro->findChildren<QLabel*>();
            QVERIFY2(std::any_of(labels.begin(), labels.end(),
                                 [&](QLabel* l) { return l->text() == line && controls::seen(l); }),
                     qPrintable(line));
        }
        intro->grab().save(screenshotPath(QStringLiteral("survey-introduction.png")));

        Screen* coord = test.screen("Form8_Coord");
        QVERIFY(!coord->isVisible());
        QCOMPARE(NEED(QAbstractButton, intro, "AdvGlassButton1")->text(),
                 QStringLiteral("Продолжить"));
        PRESS(intro, "AdvGlassButton1");

        QVERIFY(coord->isVisible());
        QVERIFY(coord->isEnabled());
        QVERIFY(!intro->isEnabled());
        QVERIFY(run.isInModalDisplay(coord));
        for (Screen* other : run.screens())
            if (other != intro)
                QVERIFY2(other->isEnabled(), qPrintable(other->objectName()));
        QCOMPARE(run.windows().topWindow(), coord);
    }

    void closingTheIntroductionEndsTheProgramWithStatusZero()
    {
        TestRun test;
        Environment env = test.environment();
        env.endEventLoop = [](int status) { QCoreApplication::exit(status); };
        const std::unique_ptr<SurveyRun> run = startUp(env, surveyComposition());

        QTimer::singleShot(0, run->mainWindow(), [&] { run->mainWindow()->close(); });
        QTimer guard; // only keeps a broken build from hanging; nothing is measured
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(10'000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(run->terminationRequested());
        QVERIFY(!run->mainWindow()->isVisible());
    }
};

SURVEY_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
