// Processor time that a question screen takes while the respondent thinks: the program's
// screens created as at start-up (every one of the nine one-second timers running) with the
// homework screen shown, against a bare window of the same size with nine one-second timers.
// Run on a real display (scripts/bench.sh uses Xvfb):
//
//   bench_idle survey|bare [SECONDS]      (default 60)
//
// Prints the share of one core used over SECONDS, after two seconds of settling.

#include "app/Startup.h"
#include "app/SurveyRun.h"
#include "screens/ScreenTable.h"
#include "screens/Unit2_House.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    const bool survey = args.value(1) == QLatin1String("survey");
    if (!survey && args.value(1) != QLatin1String("bare")) {
        std::fprintf(stderr, "usage: bench_idle survey|bare [SECONDS]\n");
        return 2;
    }
    const int seconds = args.size() > 2 ? std::max(1, args[2].toInt()) : 60;

    std::unique_ptr<SurveyRun> run;
    QWidget bare;
    std::vector<std::unique_ptr<QTimer>> timers;
    int ticks = 0;
    if (survey) {
        prepareApplication();
        Environment environment = Environment::system();
        environment.pause = [](int) {};
        run = startUp(std::move(environment), surveyComposition());
        run->state.ClassNumber = QStringLiteral("7");
        run->state.ClassStream = QStringLiteral("Б");
        run->showScreen(run->Form2_House);
    } else {
        bare.setWindowTitle(QStringLiteral("Bare window"));
        bare.setFixedSize(1024, 738);
        bare.show();
        for (int i = 0; i < 9; ++i) {
            timers.push_back(std::make_unique<QTimer>());
            timers.back()->setInterval(1000);
            QObject::connect(timers.back().get(), &QTimer::timeout, &bare, [&ticks] { ++ticks; });
            timers.back()->start();
        }
    }

    std::clock_t started = 0;
    QTimer::singleShot(2000, &application, [&] { started = std::clock(); });
    QTimer::singleShot(2000 + seconds * 1000, &application, [&] {
        const double used = double(std::clock() - started) / CLOCKS_PER_SEC;
        std::printf("%.3f\n", 100.0 * used / seconds);
        std::fflush(stdout);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
