// Time of one save into statistics files of 10, 1000 and 10000 records: lock, read, rewrite
// through a temporary file flushed to the disk, replace. "records": in the file before the timed
// saves; "bytes after": its size once they are added.
//
//   bench_statistics_file [FOLDER] [SAVES]
//
// FOLDER: where the working folders are made (default: the system's temporary folder), so that
// a local disk and a network share can be compared. SAVES: saves timed per size (default 30).

#include "state/Clock.h"
#include "state/SurveyState.h"
#include "storage/StatisticsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

SurveyState respondent()
{
    SurveyState state;
    state.ClassNumber = QStringLiteral("7");
    state.ClassStream = QStringLiteral("Б");
    state.GenderCode = place(QStringLiteral("1"));
    const auto places = [](int count, const char* value) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += place(QString::fromLatin1(value));
        return text;
    };
    state.GradesAnswer = places(10, "4");
    state.HomeworkAnswer = places(10, "30");
    state.DistractionAnswer = places(10, "5");
    state.InterestAnswer = places(10, "7");
    state.ExtraAnswer = places(5, "6");
    state.FavouriteTeachersAnswer = places(3, "2");
    state.DemandingTeachersAnswer = places(3, "9");
    state.GradesSeconds = 240;
    state.DemandingTeachersSeconds = 610;
    return state;
}

// The peak resident memory of the process in KiB, where the system tells it.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString base = args.size() > 1 ? args[1] : QDir::tempPath();
    const int saves = args.size() > 2 ? std::max(1, args[2].toInt()) : 30;

    const SystemClock clock;
    std::printf("%-8s %12s %10s %10s %10s\n", "records", "bytes after", "min ms", "median ms",
                "max ms");
    for (const int records : {10, 1000, 10000}) {
        QTemporaryDir dir(base + QStringLiteral("/bench-XXXXXX"));
        if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("STAT"))) {
            std::fprintf(stderr, "cannot make a working folder in %s\n", qPrintable(base));
            return 1;
        }
        StatisticsFile::SaveOptions options;
        options.workingFolder = dir.path();
        options.reportUnrealValue = [] {};

        // One real save gives the record line; the file is then filled with copies of it.
        const QString name = StatisticsFile::fileName(QStringLiteral("7"), QStringLiteral("Б"),
                                                      DateTime::year(clock.now()));
        const QString path = dir.path() + QStringLiteral("/STAT/") + name;
        {
            SurveyState state = respondent();
            StatisticsFile::saveRecord(state, QStringLiteral("Заполнитель"), clock, options);
            QFile file(path);
            if (!file.open(QIODevice::ReadWrite)) {
                std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray line = file.readAll().split('\n').value(1) + '\n';
            QByteArray contents = QByteArray::number(records) + "\r\n";
            contents.reserve(contents.size() + line.size() * records);
            for (int i = 0; i < records; ++i)
                contents += line;
            file.resize(0);
            file.seek(0);
            file.write(contents);
        }
        std::vector<double> ms;
        for (int i = 0; i < saves; ++i) {
            SurveyState state = respondent();
            const auto start = std::chrono::steady_clock::now();
            StatisticsFile::saveRecord(state, QStringLiteral("Петров"), clock, options);
            const auto end = std::chrono::steady_clock::now();
            ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        std::sort(ms.begin(), ms.end());
        const qint64 size = QFileInfo(path).size();
        std::printf("%-8d %12lld %10.2f %10.2f %10.2f\n", records, static_cast<long long>(size),
                    ms.front(), ms[ms.size() / 2], ms.back());
        std::fflush(stdout);
    }
    std::printf("saves timed per size: %d; peak resident memory: %ld KiB\n", saves,
                peakResidentKb());
    return 0;
}
