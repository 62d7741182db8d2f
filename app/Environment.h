#pragma once

#include "state/Clock.h"
#include "storage/StatisticsFile.h"

#include <QLocale>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

struct MessageBoxRequest
{
    enum class Kind { Error, Information };
    Kind kind = Kind::Error;
    QString title;
    QString text;
};

// What the program takes from its surroundings. The program uses the real ones
// (Environment::system()); a test replaces any of them: a fake clock, a temporary working folder,
// a message box that only records what it was asked to say.
struct Environment
{
    std::shared_ptr<Clock> clock;
    QString workingFolder;             // STAT and the roster workbooks are looked for here
    QLocale locale;                    // decimal separator of numbers shown to the respondent
    std::function<void(int ms)> pause; // blocks the thread (splash)
    std::function<bool(const QString& path)> fileExists; // an existing regular file
    std::function<void(const MessageBoxRequest&, QWidget* over)> presentMessageBox; // until closed
    std::function<void(int status)> endEventLoop; // leaves the message loop with this status
    int saveLockTimeoutMs = 15000; // how long a save waits for another workstation's save
    std::function<void(StatisticsFile::SavePhase)> savePhaseHook; // tests only

    static Environment system();
};
