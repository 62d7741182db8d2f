#pragma once

#include "storage/StatisticsReader.h"
#include "tools/Inputs.h"
#include "tools/Tool.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the subcommands that read statistics files share: their arguments, the progress line and
// the problem lines on standard error.
namespace SurveyData {

struct ReadArguments
{
    QStringList paths;
    QString output; // -o; empty or "-": standard output
    bool excel = false;
    bool help = false;
    bool version = false;
};

// None: check reads and writes no file; File: -o (report); FileAndExcel: -o and --excel (export).
enum class OutputOptions { None, File, FileAndExcel };

// The options and paths after the subcommand's name; "--" ends the options. Nothing, after a
// usage message on standard error, when an option is unknown or lacks its value.
std::optional<ReadArguments> parseReadArguments(const Context& context, const char* subcommand,
                                                OutputOptions options);

// Writing the output over one of the files it is read from would lose that file.
bool isOneOfTheInputs(const QString& output, const QStringList& files);

// What every reading subcommand does before it reads: its arguments (parseReadArguments), then
// --help, --version, a missing PATH, the PATHs that give no statistics file. The exit status when
// the run ends there, or nothing with args and the files to read in inputs.
std::optional<int> startReading(Context& context, const char* subcommand, OutputOptions options,
                                const QByteArray& help, ReadArguments& args, Inputs& inputs);

// How a file is named in messages and in the output: relative to the current folder.
QString shownPath(const QString& path);

// "[3/120] STAT/7Б 0.17c" on standard error while many files are read, only when it is a
// terminal; cleared before anything else is written there.
class Progress
{
public:
    Progress(const Context& context, qsizetype fileCount);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void startFile(qsizetype index, const QString& shown);
    void clear();

private:
    const Context& m_context;
    qsizetype m_fileCount;
    bool m_shown = false;
    qsizetype m_width = 0;
};

// A progress line is shown from this many files on.
inline constexpr qsizetype ManyFiles = 10;

// "FILE:LINE: reason" on standard error.
void reportProblem(const Context& context, Progress& progress, const QString& shown,
                   const StatisticsReader::Problem& problem);

} // namespace SurveyData
