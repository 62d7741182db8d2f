#include "tools/Inputs.h"
#include "tools/Output.h"
#include "tools/ReportHtml.h"
#include "tools/Tool.h"

#include <QFileInfo>
#include <algorithm>

// survey-data report: the statistics files of a STAT folder as one page for the school
// psychologist, opened in any browser and printed on A4.
namespace SurveyData {
namespace {

const char* const Help =
    "Использование: survey-data report [ПАРАМЕТРЫ] ПУТЬ… -o ОТЧЁТ.html\n"
    "Отчёт по классам для школьного психолога: одна страница HTML, которая открывается в любом\n"
    "браузере и печатается на листах A4. Для каждого файла статистики — оценки, время на\n"
    "домашние задания и отвлечения, интерес к предметам, любимые и требовательные учителя,\n"
    "дополнительные области, время заполнения и социоматрица выборов одноклассников.\n\n"
    "ПУТЬ — файл статистики, папка STAT или рабочая папка, в которой есть папка STAT.\n\n"
    "  -o, --output ФАЙЛ  куда записать отчёт («-» — стандартный вывод; в терминал отчёт\n"
    "                     не выводится, там -o обязателен); файл заменяется целиком\n"
    "  -h, --help         эта справка\n\n"
    "Ошибочные записи в отчёт не входят; о каждой сказано в стандартном потоке ошибок\n"
    "(ФАЙЛ:СТРОКА: причина).\n"
    "Коды завершения: 0 — всё в порядке, 1 — найдены ошибочные записи или файлы (отчёт всё\n"
    "равно записан), 2 — ошибка в параметрах или входных данных.\n";

struct Arguments
{
    QStringList paths;
    QString output;
    bool outputGiven = false;
    bool help = false;
    QString error;
};

Arguments parse(const QStringList& args)
{
    Arguments a;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!optionsEnd && (arg == QLatin1String("-h") || arg == QLatin1String("--help"))) {
            a.help = true;
        } else if (!optionsEnd &&
                   (arg == QLatin1String("-o") || arg == QLatin1String("--output"))) {
            if (i + 1 >= args.size()) {
                a.error = QStringLiteral("после %1 нужно имя файла").arg(arg);
                return a;
            }
            a.output = args[++i];
            a.outputGiven = true;
        } else if (!optionsEnd && arg.startsWith(QLatin1String("--output="))) {
            a.output = arg.mid(9);
            a.outputGiven = true;
        } else if (!optionsEnd && arg == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            a.error = QStringLiteral("неизвестный параметр «%1»").arg(arg);
            return a;
        } else {
            a.paths.append(arg);
        }
    }
    return a;
}

} // namespace

int runReport(Context& context)
{
    const Arguments a = parse(context.args);
    if (a.help) {
        context.out.write(QByteArray(Help));
        return Success;
    }
    if (!a.error.isEmpty())
        return context.usage(QStringLiteral("report"), a.error);
    if (a.paths.isEmpty())
        return context.usage(QStringLiteral("report"),
                             QStringLiteral("не указан ни один файл или папка статистики"));
    const bool toStandardOutput = a.output.isEmpty() || a.output == QLatin1String("-");
    if (toStandardOutput && context.outIsTerminal)
        return context.usage(QStringLiteral("report"),
                             QStringLiteral("отчёт не выводится в терминал: укажите -o "
                                            "ОТЧЁТ.html"));
    const Inputs inputs = collectInputs(a.paths);
    for (const QString& error : inputs.errors)
        context.message(QStringLiteral("%1 report: %2").arg(context.program, error));
    if (!inputs.errors.isEmpty())
        return UsageError;

    Report::ReportInput input;
    bool invalid = false;
    for (const QString& path : inputs.files) {
        const StatisticsReader::FileContents file = StatisticsReader::readFile(path);
        for (const StatisticsReader::Problem& problem : file.problems)
            context.message(
                QStringLiteral("%1:%2: %3").arg(path).arg(problem.line).arg(problem.reason));
        invalid = invalid || !file.problems.empty();
        const QString fileName = QFileInfo(path).fileName();
        if (!file.name) {
            input.unreadFiles.append(fileName);
            continue;
        }
        const int leftOut =
            static_cast<int>(file.recordLines) - static_cast<int>(file.records.size());
        input.leftOutRecords += leftOut;
        input.classes.push_back({Report::summarize(*file.name, fileName, file.records),
                                 Report::sociomatrix(file.records), leftOut});
    }
    std::stable_sort(input.classes.begin(), input.classes.end(),
                     [](const Report::ClassReport& x, const Report::ClassReport& y) {
                         return Report::classOrder(x.summary.name, y.summary.name);
                     });

    Output output(context, a.output);
    if (!output.open())
        return context.usage(QStringLiteral("report"), output.error());
    output.device().write(Report::renderReport(input).toUtf8());
    if (!output.commit())
        return context.usage(QStringLiteral("report"), output.error());
    return invalid ? InvalidData : Success;
}

} // namespace SurveyData
