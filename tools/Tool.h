#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <span>

// survey-data: the command line of analysts, psychologists and operators over the core library.
// Each subcommand is one file (tools/Export.cpp, tools/Roster.cpp, …) and one row of the table in
// tools/Subcommands.cpp. Messages and --help are Russian, the language of the staff who use it.
namespace SurveyData {

// The exit statuses every subcommand keeps to.
enum ExitStatus : int {
    Success = 0,
    InvalidData = 1, // invalid records or files were found (what was valid is still written)
    UsageError = 2,  // bad arguments, a missing path, nothing to read, output not written
};

// Where one run of a subcommand reads its arguments and writes its output. The tests give
// buffers; main() gives the process's standard streams.
struct Context
{
    QStringList args;           // after the subcommand's name
    QIODevice& out;             // standard output, bytes as they are
    QIODevice& err;             // standard error
    bool outIsTerminal = false; // a terminal gets no binary or bulky output
    bool errIsTerminal = false; // progress lines only on a terminal
    QString program = QStringLiteral("survey-data");

    // One line of UTF-8 text on standard error.
    void message(const QString& text) const;
    // "survey-data export: …" on standard error; returns UsageError for `return ctx.usage(…)`.
    int usage(const QString& subcommand, const QString& text) const;
};

struct Subcommand
{
    const char* name;
    const char* synopsis; // the line under "Команды:" of --help
    int (*run)(Context& context);
};

// The subcommands in the order --help lists them.
std::span<const Subcommand> subcommands();

// The whole tool: arguments without the program's name.
int run(const QStringList& arguments, QIODevice& out, QIODevice& err, bool outIsTerminal,
        bool errIsTerminal);

QString versionText();

} // namespace SurveyData
