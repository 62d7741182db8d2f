// Saves records into the statistics file of class 7, stream Б, as the finish screen would, for
// the tests that run many savers at once or stop one inside a save.
//
//   stat_saver WORKING_FOLDER SURNAME_PREFIX COUNT [--wait-at PHASE] [--lock-timeout MS]
//              [--announce yes]
//
// The surnames are PREFIX-000, PREFIX-001, … With --wait-at the saver prints "reached PHASE" at
// that point of its first save and waits for a line on its standard input. With --announce it
// prints "saving N" before its save number N (from 0), for a test that kills it in the middle.
// Exit code: 0 saved, 1 a save failed (its message on standard error), 2 wrong arguments.

#include "StorageFixture.h"
#include "storage/StatisticsFile.h"
#include "support/FakeClock.h"

#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

using namespace StatisticsFile;

namespace {

const QStringList PhaseNames{"WaitingForLock", "LockTaken", "TempWritten", "BeforeReplace",
                             "Replaced"};

int usage()
{
    std::cerr << "usage: stat_saver WORKING_FOLDER SURNAME_PREFIX COUNT [--wait-at PHASE] "
                 "[--lock-timeout MS] [--announce yes]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() < 3)
        return usage();
    bool ok = false;
    const int count = args[2].toInt(&ok);
    if (!ok || count < 0)
        return usage();
    int waitAt = -1;
    bool announce = false;
    SaveOptions options;
    options.workingFolder = args[0];
    for (qsizetype i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == "--wait-at")
            waitAt = static_cast<int>(PhaseNames.indexOf(args[i + 1]));
        else if (args[i] == "--lock-timeout")
            options.lockTimeoutMs = args[i + 1].toInt();
        else if (args[i] == "--announce")
            announce = args[i + 1] == "yes";
        else
            return usage();
    }
    if (args.size() % 2 == 0 || (args.contains("--wait-at") && waitAt < 0))
        return usage();

    options.phaseHook = [&waitAt](SavePhase phase) {
        if (static_cast<int>(phase) != waitAt)
            return;
        waitAt = -1;
        std::printf("reached %s\n", qPrintable(PhaseNames[static_cast<int>(phase)]));
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
    };
    const FakeClock clock;
    for (int n = 0; n < count; ++n) {
        SurveyState state = StorageFixture::respondent();
        const QString surname = args[1] + QStringLiteral("-%1").arg(n, 3, 10, QLatin1Char('0'));
        if (announce) {
            std::printf("saving %d\n", n);
            std::fflush(stdout);
        }
        try {
            saveRecord(state, surname, clock, options);
        } catch (const SurveyError& e) {
            std::cerr << e.text().toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
