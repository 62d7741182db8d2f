#include "tools/Reading.h"

#include <QDir>
#include <QFileInfo>

namespace SurveyData {
namespace {

// A long name would wrap, and a wrapped line is not overwritten in place.
constexpr qsizetype ProgressWidth = 70;

} // namespace

std::optional<ReadArguments> parseReadArguments(const Context& context, const char* subcommand,
                                                OutputOptions options)
{
    const QString name = QString::fromLatin1(subcommand);
    const bool outputOptions = options != OutputOptions::None;
    const bool excelOption = options == OutputOptions::FileAndExcel;
    ReadArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < context.args.size(); ++i) {
        const QString& arg = context.args[i];
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            parsed.paths.append(arg);
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            parsed.help = true;
        } else if (arg == QLatin1String("-V") || arg == QLatin1String("--version")) {
            parsed.version = true;
        } else if (excelOption && arg == QLatin1String("--excel")) {
            parsed.excel = true;
        } else if (outputOptions &&
                   (arg == QLatin1String("-o") || arg == QLatin1String("--output"))) {
            if (i + 1 == context.args.size()) {
                context.usage(name, QStringLiteral("после %1 нужно имя файла").arg(arg));
                return std::nullopt;
            }
            parsed.output = context.args[++i];
        } else if (outputOptions && arg.startsWith(QLatin1String("--output="))) {
            parsed.output = arg.mid(9);
        } else {
            context.usage(name, QStringLiteral("неизвестный параметр «%1». Справка: %2 %3 --help")
                                    .arg(arg, context.program, name));
            return std::nullopt;
        }
    }
    return parsed;
}

bool isOneOfTheInputs(const QString& output, const QStringList& files)
{
    const QString target = QFileInfo(output).canonicalFilePath();
    if (target.isEmpty())
        return false;
    for (const QString& file : files)
        if (QFileInfo(file).canonicalFilePath() == target)
            return true;
    return false;
}

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QDir::current().relativeFilePath(path));
}

Progress::Progress(const Context& context, qsizetype fileCount)
    : m_context(context), m_fileCount(fileCount)
{
}

Progress::~Progress()
{
    clear();
}

void Progress::startFile(qsizetype index, const QString& shown)
{
    if (!m_context.errIsTerminal || m_fileCount < ManyFiles)
        return;
    QString line = QStringLiteral("[%1/%2] %3")
                       .arg(QString::number(index + 1), QString::number(m_fileCount), shown);
    if (line.size() > ProgressWidth)
        line = line.left(ProgressWidth - 1) + QStringLiteral("…");
    const qsizetype width = line.size();
    if (width < m_width)
        line += QString(m_width - width, QLatin1Char(' '));
    m_context.err.write((QLatin1Char('\r') + line).toUtf8());
    m_width = width;
    m_shown = true;
}

void Progress::clear()
{
    if (!m_shown)
        return;
    m_context.err.write(
        (QLatin1Char('\r') + QString(m_width, QLatin1Char(' ')) + QLatin1Char('\r')).toUtf8());
    m_shown = false;
    m_width = 0;
}

void reportProblem(const Context& context, Progress& progress, const QString& shown,
                   const StatisticsReader::Problem& problem)
{
    progress.clear();
    context.message(
        QStringLiteral("%1:%2: %3").arg(shown, QString::number(problem.line), problem.reason));
}

std::optional<int> startReading(Context& context, const char* name, OutputOptions options,
                                const QByteArray& help, ReadArguments& args, Inputs& inputs)
{
    const std::optional<ReadArguments> parsed = parseReadArguments(context, name, options);
    if (!parsed)
        return UsageError;
    args = *parsed;
    const QString subcommand = QString::fromLatin1(name);
    if (args.help) {
        context.out.write(help);
        return Success;
    }
    if (args.version) {
        context.out.write(versionText().toUtf8());
        return Success;
    }
    if (args.paths.isEmpty())
        return context.usage(subcommand, QStringLiteral("не указан ни один ПУТЬ. Справка: %1 %2 "
                                                        "--help")
                                             .arg(context.program, subcommand));
    inputs = collectInputs(args.paths);
    for (const QString& error : inputs.errors)
        context.usage(subcommand, error);
    if (!inputs.errors.isEmpty())
        return UsageError;
    return std::nullopt;
}

} // namespace SurveyData
