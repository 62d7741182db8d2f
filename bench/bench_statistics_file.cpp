// Time of one save into statistics files of 30, 10,000 and 100,000 records (lock, read, rewrite
// through a temporary file flushed to the disk, replace), against the floor measured in the same
// run, one after the other: writing the same bytes to a temporary file, fsync and rename. The
// ratio of the medians is what counts; "records": in the file before the timed saves. A second
// floor also flushes the folder after the rename, as the save does so that the replace survives
// a power cut: "own" is the save's ratio to that one, its work beyond the two flushes.
//
//   bench_statistics_file [FOLDER] [SAVES] [SIZES…]
//
// FOLDER: where the working folders are made (default: the system's temporary folder), so that
// a local disk and a network share can be compared. SAVES: saves timed per size (default 30;
// a fifth of them, at least 5, for files of more than 10,000 records). SIZES: records in the
// files (default 30 10000 100000).

#include "state/Clock.h"
#include "state/SurveyState.h"
#include "storage/OsPlatform.h"
#include "storage/StatisticsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <span>
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

// Writes the bytes to a new file and flushes it to the disk, as the save writes its temporary file.
bool writeSynced(const std::filesystem::path& path, const QByteArray& bytes)
{
    OsPlatform::SyncedFileWriter writer;
    const QByteArrayView whole(bytes);
    return !writer.create(path) && !writer.write(std::span<const QByteArrayView>(&whole, 1)) &&
           !writer.finish();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Step> double timedMs(Step step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString base = args.size() > 1 ? args[1] : QDir::tempPath();
    const int saves = args.size() > 2 ? std::max(1, args[2].toInt()) : 30;
    std::vector<int> sizes;
    for (qsizetype i = 3; i < args.size(); ++i)
        sizes.push_back(std::max(0, args[i].toInt()));
    if (sizes.empty())
        sizes = {30, 10000, 100000};

    const SystemClock clock;
    std::printf("%-8s %12s %6s %10s %10s %8s %12s %6s\n", "records", "bytes after", "saves",
                "save ms", "floor ms", "ratio", "flushed ms", "own");
    for (const int records : sizes) {
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
        const std::filesystem::path stat =
            std::filesystem::path(dir.path().toStdU16String()) / std::filesystem::path(u"STAT");
        const std::filesystem::path floorTemp = stat / "floor.tmp";
        const std::filesystem::path floorTarget = stat / "floor.dat";
        const std::filesystem::path flushedTarget = stat / "flushed.dat";

        const int count = records > 10000 ? std::max(5, saves / 5) : saves;
        std::vector<double> saveMs;
        std::vector<double> floorMs;
        std::vector<double> flushedMs;
        for (int i = 0; i < count; ++i) {
            SurveyState state = respondent();
            saveMs.push_back(timedMs([&] {
                StatisticsFile::saveRecord(state, QStringLiteral("Петров"), clock, options);
            }));
            // The floor writes exactly what the save has just written.
            QFile saved(path);
            if (!saved.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray written = saved.readAll();
            saved.close();
            bool failed = false;
            floorMs.push_back(timedMs([&] {
                failed = !writeSynced(floorTemp, written);
                std::error_code error;
                std::filesystem::rename(floorTemp, floorTarget, error);
                failed = failed || bool(error);
            }));
            flushedMs.push_back(timedMs([&] {
                failed = failed || !writeSynced(floorTemp, written) ||
                         OsPlatform::replaceFile(floorTemp, flushedTarget).has_value();
            }));
            if (failed) {
                std::fprintf(stderr, "the floor's write failed in %s\n", qPrintable(dir.path()));
                return 1;
            }
        }
        const double save = median(saveMs);
        const double floor = median(floorMs);
        const double flushed = median(flushedMs);
        const qint64 size = QFileInfo(path).size();
        std::printf("%-8d %12lld %6d %10.2f %10.2f %8.2f %12.2f %6.2f\n", records,
                    static_cast<long long>(size), count, save, floor, save / floor, flushed,
                    save / flushed);
        std::fflush(stdout);
    }
    std::printf("peak resident memory: %ld KiB\n", peakResidentKb());
    return 0;
}
