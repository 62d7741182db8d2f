// survey-data check: the validation of export without the table, and a summary per file.

#include "tools/Inputs.h"
#include "tools/Reading.h"
#include "tools/Tool.h"

namespace SurveyData {
namespace {

QString helpText()
{
    return QStringLiteral(
        "Использование: survey-data check [ПАРАМЕТРЫ] ПУТЬ…\n"
        "Проверяет файлы статистики так же, как export, но таблицу не выводит: для каждого файла\n"
        "пишет, сколько в нём записей, сколько из них ошибочных и что стоит в счётчике.\n"
        "ПУТЬ — файл статистики, папка STAT или рабочая папка, в которой есть папка STAT.\n\n"
        "  -h, --help     эта справка\n"
        "  -V, --version  версия программы\n\n"
        "Каждая ошибка названа в стандартном потоке ошибок строкой ФАЙЛ:СТРОКА: причина\n"
        "(строка 0 — файл в целом).\n\n"
        "Коды завершения: 0 — все записи и файлы правильные, 1 — найдены ошибочные записи или\n"
        "файлы, 2 — ошибка в параметрах или входных данных.\n");
}

QString summary(const QString& shown, const StatisticsReader::FileContents& contents)
{
    const QString counter =
        contents.counter ? QString::number(*contents.counter) : QStringLiteral("не прочитан");
    return QStringLiteral("%1: записей %2, ошибочных %3, счётчик %4")
        .arg(shown, QString::number(contents.recordLines),
             QString::number(contents.recordLines - contents.validRecords), counter);
}

} // namespace

int runCheck(Context& context)
{
    ReadArguments args;
    Inputs inputs;
    if (const std::optional<int> status =
            startReading(context, "check", OutputOptions::None, helpText().toUtf8(), args, inputs))
        return *status;

    bool problems = false;
    qint64 records = 0;
    qint64 invalid = 0;
    Progress progress(context, inputs.files.size());
    for (qsizetype i = 0; i < inputs.files.size(); ++i) {
        const QString shown = shownPath(inputs.files[i]);
        progress.startFile(i, shown);
        StatisticsReader::Handlers handlers;
        handlers.onRecord = [](const StatisticsReader::Record&) {};
        handlers.onProblem = [&](const StatisticsReader::Problem& problem) {
            problems = true;
            reportProblem(context, progress, shown, problem);
        };
        const StatisticsReader::FileContents contents =
            StatisticsReader::readFile(inputs.files[i], handlers);
        progress.clear();
        context.out.write((summary(shown, contents) + QLatin1Char('\n')).toUtf8());
        records += contents.recordLines;
        invalid += contents.recordLines - contents.validRecords;
    }
    if (inputs.files.size() > 1)
        context.out.write(QStringLiteral("всего: файлов %1, записей %2, ошибочных %3\n")
                              .arg(QString::number(inputs.files.size()), QString::number(records),
                                   QString::number(invalid))
                              .toUtf8());
    return problems ? InvalidData : Success;
}

} // namespace SurveyData
