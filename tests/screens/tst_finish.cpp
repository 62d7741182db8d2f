// The finish screen: the surname from the roster or typed, the exit button that saves the record
// and closes the screens, a save that fails and is tried again, and presses that must not save
// twice.

#include "Keyboard.h"
#include "screens/Unit7_Fam.h"
#include "support/Controls.h"
#include "support/Screenshots.h"
#include "support/TestRun.h"
#include "widgets/GlassButton.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

namespace {

QString places(std::initializer_list<const char*> values)
{
    QString text;
    for (const char* value : values)
        text += QString::fromLatin1(value).leftJustified(12, QLatin1Char(' '));
    return text;
}

// The answers of a class 8А pupil, as the earlier screens leave them.
void fillAnswers(SurveyState& state)
{
    state.ClassNumber = QStringLiteral("8");
    state.ClassStream = QStringLiteral("А");
    state.GenderCode = places({"1"});
    state.GradesAnswer = places({"5", "4+", "3-", "5", "4", "4", "5-", "3", "4", "5"});
    state.HomeworkAnswer = places({"30", "20", "15", "10", "0", "45", "60", "5", "25", "40"});
    state.DistractionAnswer = places({"5", "0", "10", "1", "2", "3", "4", "5", "6", "7"});
    state.InterestAnswer = places({"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"});
    state.ExtraAnswer = places({"1", "3", "5", "7", "9"});
    state.FavouriteTeachersAnswer = places({"4", "10", "2"});
    state.DemandingTeachersAnswer = places({"3", "5", "4"});
    state.GradesSeconds = 95;
    state.DemandingTeachersSeconds = 751;
}

// The record of those answers, written out: Windows-1251 bytes, 804 of them.
QByteArray expectedRecord(const QByteArray& surname, const QByteArray& gradesSeconds = "95")
{
    const auto place = [](const QByteArray& value) { return value.leftJustified(12, ' '); };
    QByteArray record = surname;
    record += "1           ";
    record += "5           4+          3-          5           4           "
              "4           5-          3           4           5           ";
    record += "30          20          15          10          0           "
              "45          60          5           25          40          ";
    record += "5           0           10          1           2           "
              "3           4           5           6           7           ";
    record += "9           8           7           6           5           "
              "4           3           2           1           0           ";
    record += "4           10          2           ";
    record += "3           5           4           ";
    record += "1           3           5           7           9           ";
    record += QByteArray(144, ' ');
    record += place(gradesSeconds);
    record += "751         ";
    return record;
}

// "Петров" and "Сидоров" in Windows-1251, with blanks up to 12.
const QByteArray Petrov = "\xCF\xE5\xF2\xF0\xEE\xE2      ";
const QByteArray Sidorov = "\xD1\xE8\xE4\xEE\xF0\xEE\xE2     ";

QString statisticsPath(const TestRun& test)
{
    return test.path(QStringLiteral("STAT/8А 0.17c"));
}

QByteArray fileContents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TForm7_Fam* finishScreen(TestRun& test)
{
    auto* finish = qobject_cast<TForm7_Fam*>(test.screen("Form7_Fam"));
    if (!finish)
        qFatal("no finish screen");
    return finish;
}

// The run at the finish screen, reached without a roster.
TForm7_Fam* openFinish(TestRun& test)
{
    SurveyRun& run = test.start();
    fillAnswers(run.state);
    TForm7_Fam* finish = finishScreen(test);
    run.showScreen(finish);
    return finish;
}

// Records the order in which windows are closed.
class CloseRecorder : public QObject
{
public:
    QStringList closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestFinish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rosterPathSavesThePickedNameAtOnce()
    {
        TestRun test;
        SurveyRun& run = test.start();
        fillAnswers(run.state);
        TForm7_Fam* finish = finishScreen(test);
        // What the roster screen did when the name was pressed.
        run.state.RosterLoaded = 1;
        finish->Edit1->setText(QStringLiteral("Петров      "));
        run.state.Surname = finish->Edit1->text();
        run.showScreen(test.screen("Form1_Ball")); // the test clock starts
        test.clock().advanceSeconds(14 * 60 + 7);
        run.showScreen(finish);
        finish->Timer1Timer();
        QCOMPARE(finish->Edit2->text(), QStringLiteral("14:07"));
        finish->grab().save(screenshotPath(QStringLiteral("survey-finish-roster.png")));

        QVERIFY(controls::seen(finish->sLabelFX3));
        QCOMPARE(finish->sLabelFX3->text(), QStringLiteral("Вы успешно прошли тестирование"));
        QVERIFY(!controls::seen(finish->sLabelFX1));
        QVERIFY(!controls::seen(finish->sLabelFX2));
        QVERIFY(!controls::seen(finish->Edit1));
        QVERIFY(finish->AdvGlassButton1->isEnabled());
        QCOMPARE(finish->AdvGlassButton1->shineColor(), QColor(Qt::red));

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList());
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + expectedRecord(Petrov) + "\r\n");
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
    }

    void askingForTheSurname()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        finish->grab().save(screenshotPath(QStringLiteral("survey-finish-asking.png")));
        QCOMPARE(finish->size(), QSize(1132, 760));
        QVERIFY(finish->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(finish->sLabelFX1->text(),
                 QStringLiteral("Просьба ввести свою фамилию для выдачи кода ученика:"));
        QCOMPARE(finish->sLabelFX2->text(), QStringLiteral("(Указывать имя и отчество не надо.)"));
        QVERIFY(controls::seen(finish->sLabelFX1) && controls::seen(finish->sLabelFX2));
        QVERIFY(!controls::seen(finish->sLabelFX3));
        QVERIFY(controls::seen(finish->Edit1));
        QCOMPARE(finish->Edit1->size(), QSize(465, 45));
        QCOMPARE(finish->focusWidget(), finish->Edit1);
        QCOMPARE(finish->AdvGlassButton1->text(), QStringLiteral("Нажмите для выхода"));
        QCOMPARE(finish->AdvGlassButton1->size(), QSize(289, 54));
        QVERIFY(!finish->AdvGlassButton1->isEnabled());

        QTest::keyClick(finish->Edit1, Qt::Key_Left); // not a character
        QTest::keyClick(finish->Edit1, Qt::Key_Shift);
        QVERIFY(!finish->AdvGlassButton1->isEnabled());

        // Backspace counts, also where the keyboard delivers it without a character.
        QTest::sendKeyEvent(QTest::Click, finish->Edit1, Qt::Key_Backspace, QString(),
                            Qt::NoModifier);
        QVERIFY(finish->AdvGlassButton1->isEnabled());
    }

    void typedSurnameReachesTheRecord_data()
    {
        QTest::addColumn<QString>("typed"); // typed key by key; "\b" is Backspace
        QTest::addColumn<QByteArray>("surname");
        QTest::newRow("Сидоров") << "Сидоров" << Sidorov;
        QTest::newRow("a letter deleted again") << "С\b" << QByteArray(12, ' ');
        QTest::newRow("Backspace alone") << "\b" << QByteArray(12, ' ');
        QTest::newRow("a slip corrected") << "Сидоровв\b" << Sidorov;
        QTest::newRow("15 letters: the first 12")
            << "Константинопол" << QByteArray("\xCA\xEE\xED\xF1\xF2\xE0\xED\xF2\xE8\xED\xEE\xEF");
    }
    void typedSurnameReachesTheRecord()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, surname);
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        for (const QChar ch : typed) {
            if (ch == QLatin1Char('\b'))
                QTest::keyClick(finish->Edit1, Qt::Key_Backspace);
            else
                typeText(finish->Edit1, QString(ch));
        }
        QVERIFY(finish->AdvGlassButton1->isEnabled());
        QCOMPARE(finish->AdvGlassButton1->shineColor(), QColor(Qt::red));
        finish->grab().save(screenshotPath(QStringLiteral("survey-finish-typed.png")));

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList());
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + expectedRecord(surname) + "\r\n");
        QVERIFY(test.ended());
    }

    void latinSurnameTypedWithKeyClicks()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        QTest::keyClicks(finish->Edit1, QStringLiteral("Smith"));
        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(fileContents(statisticsPath(test)),
                 "1\r\n" + expectedRecord("Smith       ") + "\r\n");
    }

    void failedSaveKeepsTheScreenAndCanBeTriedAgain()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        QVERIFY(QDir(test.folder()).rmdir(QStringLiteral("STAT")));

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList{"Invalid filename"});
        QCOMPARE(test.boxes().back().kind, MessageBoxRequest::Kind::Error);
        QVERIFY(!test.ended());
        QVERIFY(finish->isVisible());
        QVERIFY(test.screen("Form_Vveden")->isVisible());
        QCOMPARE(test.run().windows().topWindow(), finish);
        // Active again after the box: the surname is known now, so the box is not asked again.
        QVERIFY(!controls::seen(finish->Edit1));
        QVERIFY(controls::seen(finish->sLabelFX1));

        QVERIFY(QDir(test.folder()).mkdir(QStringLiteral("STAT")));
        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList{"Invalid filename"});
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + expectedRecord(Sidorov) + "\r\n");
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
    }

    // Another workstation's save holds the lock of the folder for longer than a save waits:
    // the busy cursor shows while the pupil's save waits and is gone before the message, the
    // file stays as it was, and once the other save is done the next press saves.
    void aSaveHeldUpByAnotherWorkstation()
    {
        TestRun test;
        test.environment().saveLockTimeoutMs = 100;
        QList<Qt::CursorShape> cursorWhileWaiting;
        test.environment().savePhaseHook = [&](StatisticsFile::SavePhase phase) {
            if (phase == StatisticsFile::SavePhase::WaitingForLock)
                cursorWhileWaiting
                    << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                       : Qt::BlankCursor); // none at all
        };
        bool overriddenWhileBoxOpen = false;
        test.whileBoxOpen = [&](const MessageBoxRequest&) {
            overriddenWhileBoxOpen = QApplication::overrideCursor() != nullptr;
        };
        TForm7_Fam* finish = openFinish(test);
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        const QByteArray before = "1\r\n" + expectedRecord(Petrov) + "\r\n";
        {
            QFile file(statisticsPath(test));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(before), before.size());
        }

        // A saver of another class stopped with the folder's lock held.
        QProcess holder;
        holder.start(QStringLiteral(STAT_SAVER_PATH),
                     {test.folder(), QStringLiteral("h"), QStringLiteral("1"),
                      QStringLiteral("--wait-at"), QStringLiteral("LockTaken")});
        while (!holder.canReadLine())
            QVERIFY(holder.waitForReadyRead(60000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("reached LockTaken"));

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(cursorWhileWaiting, QList<Qt::CursorShape>{Qt::WaitCursor});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(test.boxTexts(),
                 QStringList{"Файл статистики сейчас занят: в него записывает другой компьютер "
                             "или программа. Подождите немного и нажмите кнопку ещё раз."});
        QVERIFY(!overriddenWhileBoxOpen);
        QCOMPARE(fileContents(statisticsPath(test)), before);
        QVERIFY(!test.ended());
        QVERIFY(finish->isVisible());
        QVERIFY(finish->AdvGlassButton1->isEnabled());

        holder.write("\n");
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(60000));
        QCOMPARE(holder.exitCode(), 0);
        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts().size(), 1);
        QCOMPARE(cursorWhileWaiting.size(), 1); // the lock was free: no waiting, no busy cursor
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(fileContents(statisticsPath(test)),
                 "2\r\n" + expectedRecord(Petrov) + "\r\n" + expectedRecord(Sidorov) + "\r\n");
        QVERIFY(test.ended());
    }

    void unrealSecondsAreReportedAndTheRecordIsStillSaved()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        test.run().state.GradesSeconds = 1000;
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        bool endedWhileBoxOpen = true;
        test.whileBoxOpen = [&](const MessageBoxRequest&) { endedWhileBoxOpen = test.ended(); };

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), QStringList{"Не реальное значение!"});
        QCOMPARE(test.boxes().front().kind, MessageBoxRequest::Kind::Information);
        QVERIFY(!endedWhileBoxOpen); // the end is asked for when the box has closed
        const QByteArray record = expectedRecord(Sidorov, "1000");
        QCOMPARE(record.size(), 804);
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + record + "\r\n");
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
        QVERIFY(!finish->isVisible());
    }

    void unrealSecondsAndAFailedSaveLeaveASecondTry()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        test.run().state.DemandingTeachersSeconds = 1200;
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        QVERIFY(QDir(test.folder()).rmdir(QStringLiteral("STAT")));

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), (QStringList{"Не реальное значение!", "Invalid filename"}));
        QVERIFY(!test.ended());
        QVERIFY(!test.run().terminationRequested());
        QVERIFY(finish->isVisible());

        QVERIFY(QDir(test.folder()).mkdir(QStringLiteral("STAT")));
        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(test.boxTexts(), (QStringList{"Не реальное значение!", "Invalid filename",
                                               "Не реальное значение!"}));
        QByteArray record = expectedRecord(Sidorov);
        record.replace(792, 12, "1200        ");
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + record + "\r\n");
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
    }

    void aSecondPressSavesNothingMore_data()
    {
        QTest::addColumn<int>("gradesSeconds");
        QTest::newRow("while the save is under way") << 1000;
        QTest::newRow("after the save") << 95;
    }
    void aSecondPressSavesNothingMore()
    {
        QFETCH(int, gradesSeconds);
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        test.run().state.GradesSeconds = gradesSeconds;
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        // The box of an unreal value opens in the middle of the save; a press arrives meanwhile.
        int pressesDuringTheSave = 0;
        test.whileBoxOpen = [&](const MessageBoxRequest&) {
            if (pressesDuringTheSave++ == 0)
                finish->AdvGlassButton1->click();
        };

        PRESS(finish, "AdvGlassButton1");
        finish->AdvGlassButton1->click(); // a press queued before the window closed
        const QByteArray record = expectedRecord(Sidorov, QByteArray::number(gradesSeconds));
        QCOMPARE(fileContents(statisticsPath(test)), "1\r\n" + record + "\r\n");
        QCOMPARE(test.boxTexts().size(), gradesSeconds >= 1000 ? 1 : 0);
    }

    void exitClosesTheScreensInOrder()
    {
        TestRun test;
        SurveyRun& run = test.start();
        fillAnswers(run.state);
        CloseRecorder recorder;
        for (Screen* screen : run.screens())
            screen->installEventFilter(&recorder);
        for (const char* name : {"Form1_Ball", "Form2_House", "Form3_Eff", "Form4_Intrest",
                                 "Form_Dop", "Form5_Love", "Form6_Treb", "Form7_Fam"})
            run.showScreen(test.screen(name));
        TForm7_Fam* finish = finishScreen(test);
        QTest::keyClick(finish->Edit1, Qt::Key_Backspace);

        PRESS(finish, "AdvGlassButton1");
        QCOMPARE(recorder.closed,
                 (QStringList{"Form_Vveden", "Form1_Ball", "Form2_House", "Form3_Eff",
                              "Form4_Intrest", "Form5_Love", "Form6_Treb", "Form7_Fam"}));
        for (const char* name : {"Form_Vveden", "Form1_Ball", "Form2_House", "Form3_Eff",
                                 "Form4_Intrest", "Form5_Love", "Form6_Treb", "Form7_Fam"})
            QVERIFY2(!test.screen(name)->isVisible(), name);
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
    }

    void exitEndsTheMessageLoopWithStatusZero()
    {
        TestRun test;
        test.environment().endEventLoop = [](int status) { QCoreApplication::exit(status); };
        SurveyRun& run = test.start();
        fillAnswers(run.state);
        TForm7_Fam* finish = finishScreen(test);
        run.showScreen(finish);
        QTimer::singleShot(0, finish, [&] {
            QTest::keyClick(finish->Edit1, Qt::Key_Backspace);
            QTest::mouseClick(finish->AdvGlassButton1, Qt::LeftButton);
        });
        QTimer guard; // only keeps a broken build from hanging; nothing is measured
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(10'000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(QFile::exists(statisticsPath(test)));
    }

    void everyActivationRunsTheStepsAgain()
    {
        TestRun test;
        SurveyRun& run = test.start();
        Screen* classmates = test.screen("Form_Psychology1");
        run.showScreen(classmates);
        TForm7_Fam* finish = finishScreen(test);
        run.showScreen(finish);
        QVERIFY(!classmates->isVisible());
        QVERIFY(controls::seen(finish->Edit1));

        run.state.Surname = QStringLiteral("Орлов       ");
        run.showMessage(QStringLiteral("…")); // the screen is active again when the box closes
        QVERIFY(!controls::seen(finish->Edit1));
        QVERIFY(controls::seen(finish->sLabelFX1));
        QVERIFY(!controls::seen(finish->sLabelFX3));
        QVERIFY(!finish->AdvGlassButton1->isEnabled());

        run.state.RosterLoaded = 1;
        run.showMessage(QStringLiteral("…"));
        QVERIFY(controls::seen(finish->sLabelFX3));
        QVERIFY(finish->AdvGlassButton1->isEnabled());
    }

    void closingTheWindowEndsTheProgramWithoutARecord()
    {
        TestRun test;
        TForm7_Fam* finish = openFinish(test);
        typeText(finish->Edit1, QStringLiteral("Сидоров"));
        finish->close();
        QVERIFY(test.ended());
        QCOMPARE(test.endStatus(), 0);
        QVERIFY(!QFile::exists(statisticsPath(test)));
    }
};

SURVEY_TEST_MAIN(TestFinish)
#include "tst_finish.moc"
