// survey-data export: the valid records of statistics files as one CSV table for analysts.

#include "tools/Export.h"

#include "state/AnswerCodes.h"
#include "state/SubjectCatalogue.h"
#include "tools/Inputs.h"
#include "tools/Output.h"
#include "tools/Reading.h"
#include "tools/Tool.h"

#include <QFileInfo>

namespace SurveyData {
namespace {

const QString Name = QStringLiteral("export");

QString helpText()
{
    return QStringLiteral(
        "Использование: survey-data export [ПАРАМЕТРЫ] ПУТЬ…\n"
        "Записывает правильные записи файлов статистики в одну таблицу CSV (UTF-8, RFC 4180):\n"
        "строка заголовка, затем по строке на запись — файлы по порядку имён, записи по порядку\n"
        "в файле. ПУТЬ — файл статистики, папка STAT или рабочая папка, в которой есть папка "
        "STAT.\n\n"
        "  -o, --output ФАЙЛ  записать таблицу в ФАЙЛ: он появляется целиком или не меняется;\n"
        "                     «-» или без -o — стандартный вывод\n"
        "      --excel        для Excel и LibreOffice с русскими настройками: метка порядка\n"
        "                     байтов UTF-8, разделитель «;», дробные оценки с запятой (4,3),\n"
        "                     «'» перед ячейкой, которая начинается с = + - @\n"
        "  -h, --help         эта справка\n"
        "  -V, --version      версия программы\n\n"
        "Предмет, которого в классе нет, даёт пустые ячейки (не «0»). Ошибочные записи не\n"
        "выводятся: каждая названа в стандартном потоке ошибок строкой ФАЙЛ:СТРОКА: причина.\n\n"
        "Коды завершения: 0 — все записи правильные, 1 — найдены ошибочные записи или файлы\n"
        "(правильные всё равно выведены), 2 — ошибка в параметрах или входных данных, таблица\n"
        "не записана.\n");
}

// RFC 4180 rows; for spreadsheet programs with Russian settings a byte-order mark, ";", the
// decimal comma in the grades (a Russian spreadsheet reads "4.3" as the 4th of March), and no
// cell that could start a formula.
class CsvWriter
{
public:
    CsvWriter(QIODevice& device, bool excel) : m_device(device), m_excel(excel)
    {
        if (excel)
            m_device.write("\xEF\xBB\xBF");
    }

    bool excel() const { return m_excel; }

    void row(const QStringList& cells)
    {
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                line += separator();
            line += cell(cells[i]);
        }
        line += QStringLiteral("\r\n");
        m_device.write(line.toUtf8());
    }

private:
    QChar separator() const { return QLatin1Char(m_excel ? ';' : ','); }

    QString cell(QString value) const
    {
        if (m_excel && !value.isEmpty() && QStringLiteral("=+-@").contains(value.front()))
            value.prepend(QLatin1Char('\''));
        if (!value.contains(separator()) && !value.contains(QLatin1Char('"')) &&
            !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
            return value;
        value.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + value + QLatin1Char('"');
    }

    QIODevice& m_device;
    bool m_excel;
};

QStringList cellsOf(const QString& shown, const StatisticsReader::FileName& name,
                    const StatisticsReader::Record& record, bool excel)
{
    const StatisticsReader::Answers& a = record.answers;
    QStringList cells{shown,       QString::number(record.line), name.classNumber,
                      name.stream, QString::number(name.year),   a.surname,
                      a.genderCode};
    for (std::size_t n = 0; n < a.grades.size(); ++n) {
        // By the class rule, never by the value: "0" is a real answer of the other three.
        if (!SubjectCatalogue::taughtIn(static_cast<int>(n) + 1, name.classNumber)) {
            cells << QString() << QString() << QString() << QString();
            continue;
        }
        QString grade = a.grades[n];
        if (excel)
            grade.replace(QLatin1Char('.'), QLatin1Char(','));
        cells << grade << a.homework[n] << a.distraction[n] << a.interest[n];
    }
    for (const QString& code : a.favourite)
        cells << code;
    for (const QString& code : a.demanding)
        cells << code;
    for (const QString& digit : a.extra)
        cells << digit;
    for (const QString& classmate : a.classmates)
        cells << classmate;
    cells << QString::number(a.gradesSeconds) << QString::number(a.demandingSeconds);
    return cells;
}

} // namespace

QStringList exportColumns()
{
    QStringList columns{"file", "line", "class", "stream", "year", "surname", "gender"};
    for (const SubjectCatalogue::Subject& subject : SubjectCatalogue::subjects())
        for (const char* answer : {"grade", "homework", "distraction", "interest"})
            columns.append(
                QStringLiteral("%1_%2").arg(QLatin1String(answer), QLatin1String(subject.key)));
    for (const char* teachers : {"favourite", "demanding"})
        for (int n = 1; n <= 3; ++n)
            columns.append(QStringLiteral("%1_%2").arg(QLatin1String(teachers)).arg(n));
    for (std::size_t n = 1; n <= AnswerCodes::extraAreas().size(); ++n)
        columns.append(QStringLiteral("extra_%1").arg(n));
    for (const AnswerCodes::ClassmateQuestion& question : AnswerCodes::classmateQuestions())
        for (int n = 1; n <= AnswerCodes::ChoicesPerQuestion; ++n)
            columns.append(QStringLiteral("%1_%2").arg(QLatin1String(question.key)).arg(n));
    columns.append(QStringLiteral("grades_seconds"));
    columns.append(QStringLiteral("demanding_seconds"));
    return columns;
}

int runExport(Context& context)
{
    ReadArguments args;
    Inputs inputs;
    if (const std::optional<int> status = startReading(
            context, "export", OutputOptions::FileAndExcel, helpText().toUtf8(), args, inputs))
        return *status;
    if (isOneOfTheInputs(args.output, inputs.files))
        return context.usage(
            Name, QStringLiteral("«%1» — один из файлов статистики; таблицу нужно записать в "
                                 "другой файл")
                      .arg(args.output));

    Output output(context, args.output);
    if (!output.open())
        return context.usage(Name, output.error());
    CsvWriter csv(output.device(), args.excel);
    csv.row(exportColumns());

    bool problems = false;
    Progress progress(context, inputs.files.size());
    for (qsizetype i = 0; i < inputs.files.size(); ++i) {
        const QString shown = shownPath(inputs.files[i]);
        progress.startFile(i, shown);
        const StatisticsReader::FileName name =
            StatisticsReader::parseFileName(QFileInfo(inputs.files[i]).fileName())
                .value_or(StatisticsReader::FileName{});
        StatisticsReader::Handlers handlers;
        handlers.onRecord = [&](const StatisticsReader::Record& record) {
            csv.row(cellsOf(shown, name, record, csv.excel()));
        };
        handlers.onProblem = [&](const StatisticsReader::Problem& problem) {
            problems = true;
            reportProblem(context, progress, shown, problem);
        };
        StatisticsReader::readFile(inputs.files[i], handlers);
    }
    progress.clear();
    if (!output.commit())
        return context.usage(Name, output.error());
    return problems ? InvalidData : Success;
}

} // namespace SurveyData
