#pragma once

#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <memory>

// Where a subcommand writes its result: standard output ("-" or no -o), or a file that appears
// whole or not at all (a temporary file renamed into place once everything is written).
namespace SurveyData {

struct Context;

class Output
{
public:
    // path: the -o value; empty or "-" means standard output.
    Output(Context& context, const QString& path);

    // Opens the file; false with a Russian reason in error().
    bool open();
    QIODevice& device();
    // Puts the file in place (or flushes standard output); false with error() set, and then
    // nothing was written to the file's name.
    bool commit();
    bool toStandardOutput() const { return !m_file; }
    const QString& error() const { return m_error; }

private:
    Context& m_context;
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    QString m_error;
};

} // namespace SurveyData
