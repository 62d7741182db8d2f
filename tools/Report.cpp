#include "tools/Inputs.h"
#include "tools/Output.h"
#include "tools/Reading.h"
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
    "  -h, --help         эта справка\n"
    "  -V, --version      версия программы\n\n"
    "Ошибочные записи в отчёт не входят; о каждой сказано в стандартном потоке ошибок\n"
    "(ФАЙЛ:СТРОКА: причина).\n"
    "Коды завершения: 0 — всё в порядке, 1 — найдены ошибочные записи или файлы (отчёт всё\n"
    "равно записан), 2 — ошибка в параметрах или входных данных.\n";

} // namespace

int runReport(Context& context)
{
    const QString name = QStringLiteral("report");
    ReadArguments args;
    Inputs inputs;
    if (const std::optional<int> status =
            startReading(context, "report", OutputOptions::File, QByteArray(Help), args, inputs))
        return *status;
    // A page of markup is no use on a screen; it goes to a file, or to a pipe.
    const bool toStandardOutput = args.output.isEmpty() || args.output == QLatin1String("-");
    if (toStandardOutput && context.outIsTerminal)
        return context.usage(name, QStringLiteral("отчёт не выводится в терминал: укажите -o "
                                                  "ОТЧЁТ.html"));
    if (isOneOfTheInputs(args.output, inputs.files))
        return context.usage(
            name, QStringLiteral("«%1» — один из файлов статистики; отчёт нужно записать в "
                                 "другой файл")
                      .arg(args.output));

    Report::ReportInput input;
    bool problems = false;
    Progress progress(context, inputs.files.size());
    for (qsizetype i = 0; i < inputs.files.size(); ++i) {
        const QString shown = shownPath(inputs.files[i]);
        progress.startFile(i, shown);
        std::vector<StatisticsReader::Record> records;
        StatisticsReader::Handlers handlers;
        handlers.onRecord = [&](const StatisticsReader::Record& record) {
            records.push_back(record);
        };
        handlers.onProblem = [&](const StatisticsReader::Problem& problem) {
            problems = true;
            reportProblem(context, progress, shown, problem);
        };
        const StatisticsReader::FileContents file =
            StatisticsReader::readFile(inputs.files[i], handlers);
        const QString fileName = QFileInfo(inputs.files[i]).fileName();
        if (!file.name) {
            input.unreadFiles.append(fileName);
            continue;
        }
        const auto leftOut = static_cast<int>(file.recordLines - file.validRecords);
        input.leftOutRecords += leftOut;
        input.classes.push_back({Report::summarize(*file.name, fileName, records),
                                 Report::sociomatrix(records), leftOut});
    }
    progress.clear();
    std::stable_sort(input.classes.begin(), input.classes.end(),
                     [](const Report::ClassReport& x, const Report::ClassReport& y) {
                         return Report::classOrder(x.summary.name, y.summary.name);
                     });

    Output output(context, args.output);
    if (!output.open())
        return context.usage(name, output.error());
    output.device().write(Report::renderReport(input).toUtf8());
    if (!output.commit())
        return context.usage(name, output.error());
    return problems ? InvalidData : Success;
}

} // namespace SurveyData
