#pragma once

#include "app/Environment.h"
#include "app/Startup.h"
#include "app/SurveyRun.h"
#include "support/FakeClock.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A whole run for a test: a fake clock, a temporary working folder (with a STAT folder), message
// boxes that are recorded instead of shown, and the end of the program recorded instead of
// leaving a message loop. Each test builds a fresh one.
class Screen;

class TestRun
{
public:
    explicit TestRun(const QDateTime& start = QDateTime(QDate(2017, 3, 14), QTime(9, 58, 5)));
    // A run in a working folder that outlives it, as the respondents of one workstation share
    // theirs one after another. The folder holds its STAT folder already (an empty name gives a
    // temporary folder of its own, as above).
    TestRun(const QString& sharedFolder, const QDateTime& start);
    ~TestRun();

    // The run with its thirteen screens created and the main window shown, as after start-up.
    SurveyRun& start();
    SurveyRun& run() { return *m_run; }
    Environment& environment() { return m_environment; }

    // The screen of the run with this instance name; a missing one stops the test loudly.
    Screen* screen(const char* instance) const;

    FakeClock& clock() { return *m_clock; }
    QString folder() const { return m_folderPath; }
    QString path(const QString& name) const { return QDir(m_folderPath).filePath(name); }

    // What the message boxes said, in order.
    const std::vector<MessageBoxRequest>& boxes() const { return m_boxes; }
    QStringList boxTexts() const;
    // Runs while a box is open (the box closes when it returns).
    std::function<void(const MessageBoxRequest&)> whileBoxOpen;

    bool ended() const { return m_endStatus.has_value(); }
    int endStatus() const { return m_endStatus.value_or(-1); }

private:
    std::shared_ptr<FakeClock> m_clock;
    std::optional<QTemporaryDir> m_ownFolder; // none when the folder is shared
    QString m_folderPath;
    Environment m_environment;
    std::vector<MessageBoxRequest> m_boxes;
    std::optional<int> m_endStatus;
    std::unique_ptr<SurveyRun> m_run;
};

// Creates the application object for a widget test with the program's own settings.
#define SURVEY_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QApplication application(argc, argv);                                                      \
        prepareApplication();                                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
