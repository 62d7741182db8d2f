#include "tools/ReportHtml.h"

#include "tools/ReportMarkup.h"
#include "tools/ReportSvg.h"

#include <algorithm>
#include <cmath>

namespace SurveyData::Report {
namespace {

QString yearsText(int first, int last)
{
    return first == last ? QString::number(first) : QStringLiteral("%1–%2").arg(first).arg(last);
}

QString cell(const QString& content, const char* cssClass = nullptr)
{
    return cssClass ? QStringLiteral("<td class=\"%1\">%2</td>")
                          .arg(QString::fromLatin1(cssClass), content)
                    : QStringLiteral("<td>%1</td>").arg(content);
}

QString number(int value)
{
    return cell(QString::number(value), "num");
}

QString head(const ReportInput& input)
{
    const std::vector<ClassTotal> totals = [&] {
        std::vector<ClassSummary> summaries;
        for (const ClassReport& c : input.classes)
            summaries.push_back(c.summary);
        return totalsByClass(summaries);
    }();
    QString out = QStringLiteral("<header><h1>Анкета учащихся: отчёт по классам</h1>");
    if (totals.empty()) {
        out += QStringLiteral("<p>Ни в одном файле нет правильных записей.</p>");
    } else {
        int first = totals.front().firstYear, last = totals.front().lastYear;
        ClassTotal all;
        for (const ClassTotal& t : totals) {
            first = std::min(first, t.firstYear);
            last = std::max(last, t.lastYear);
            all.files += t.files;
            all.respondents += t.respondents;
            all.girls += t.girls;
            all.boys += t.boys;
        }
        out += QStringLiteral("<p>Файлы статистики за %1 %2.</p>")
                   .arg(yearsText(first, last),
                        first == last ? QStringLiteral("год") : QStringLiteral("годы"));
        out += QStringLiteral("<table class=\"totals\"><thead><tr><th>Класс</th><th>Годы</th>"
                              "<th>Файлов</th><th>Анкет</th><th>Девочек</th><th>Мальчиков</th>"
                              "</tr></thead><tbody>");
        for (const ClassTotal& t : totals)
            out += QStringLiteral("<tr><th>%1</th>%2%3%4%5%6</tr>")
                       .arg(escaped(Parts::classLabel({t.classNumber, t.stream, 0})),
                            cell(yearsText(t.firstYear, t.lastYear)), number(t.files),
                            number(t.respondents), number(t.girls), number(t.boys));
        out += QStringLiteral("</tbody><tfoot><tr><th>Всего</th>%1%2%3%4%5</tr></tfoot></table>")
                   .arg(cell(yearsText(first, last)), number(all.files), number(all.respondents),
                        number(all.girls), number(all.boys));
    }
    if (input.leftOutRecords > 0)
        out += QStringLiteral("<p class=\"warning\">Ошибочных записей пропущено: %1. Они не "
                              "вошли в отчёт; где они, сказано в сообщениях программы.</p>")
                   .arg(input.leftOutRecords);
    if (!input.unreadFiles.isEmpty()) {
        QStringList names;
        for (const QString& name : input.unreadFiles)
            names.append(QStringLiteral("«%1»").arg(escaped(name)));
        out += QStringLiteral("<p class=\"warning\">Не прочитаны файлы: %1.</p>")
                   .arg(names.join(QStringLiteral(", ")));
    }
    if (!input.classes.empty()) {
        out += QStringLiteral("<p class=\"note\">Разделы: ");
        QStringList links;
        for (std::size_t i = 0; i < input.classes.size(); ++i) {
            const FileName& name = input.classes[i].summary.name;
            links.append(QStringLiteral("<a href=\"#file%1\">%2, %3</a>")
                             .arg(i + 1)
                             .arg(escaped(Parts::classLabel(name)))
                             .arg(name.year));
        }
        out += links.join(QStringLiteral(" · ")) + QStringLiteral("</p>");
    }
    return out + QStringLiteral("</header>");
}

// Whole minutes as whole numbers, a median between two buttons with its half.
QString minutes(std::optional<double> value, int top, const QString& topText)
{
    if (!value)
        return QStringLiteral("—");
    if (*value >= top)
        return topText;
    return decimal(value, std::floor(*value) == *value ? 0 : 1);
}

QString subjectsTable(const ClassSummary& c)
{
    QString out = QStringLiteral(
        "<h3>Предметы</h3><table class=\"subjects\"><thead><tr><th>Предмет</th>"
        "<th>Оценки за четверть (сколько учащихся)</th><th>Средняя оценка</th>"
        "<th>Домашние задания, мин (медиана)</th><th>Отвлекается на уроке, мин (медиана)</th>"
        "<th>Интерес, 0–9 (среднее)</th></tr></thead><tbody>");
    for (const SubjectSummary& s : c.subjects)
        out += QStringLiteral("<tr><td class=\"subject\">%1</td><td class=\"chart\">%2</td>%3%4%5%6"
                              "</tr>")
                   .arg(escaped(s.name), gradeChart(s), cell(decimal(s.meanGrade, 2), "num"),
                        cell(minutes(s.medianHomework, 90, QStringLiteral("90 и больше")), "num"),
                        cell(minutes(s.medianDistraction, 40, QStringLiteral("весь урок")), "num"),
                        cell(decimal(s.meanInterest, 1), "num"));
    out += QStringLiteral("</tbody></table><p class=\"note\">Средняя оценка считается с плюсами и "
                          "минусами: 2+ = 2,3; 3− = 2,7; 3+ = 3,3 и так далее.</p>");
    return out;
}

QString secondsRow(const QString& caption, const SecondsSummary& s)
{
    QString median = QStringLiteral("—");
    if (s.median) {
        const int whole = static_cast<int>(std::lround(*s.median));
        median = QStringLiteral("%1 с (%2:%3)")
                     .arg(decimal(s.median, std::floor(*s.median) == *s.median ? 0 : 1))
                     .arg(whole / 60)
                     .arg(whole % 60, 2, 10, QLatin1Char('0'));
    }
    QStringList unreal;
    for (const qint32 value : s.unreal)
        unreal.append(QStringLiteral("%1 с").arg(value));
    const QString unrealText =
        unreal.isEmpty() ? QStringLiteral("нет")
                         : unreal.join(QStringLiteral(", ")) + QStringLiteral(" — не учтены");
    return QStringLiteral("<tr><th>%1</th>%2%3%4</tr>")
        .arg(caption, cell(median, "num"), number(s.real), cell(unrealText));
}

QString classSection(const ClassReport& report, std::size_t index)
{
    const ClassSummary& c = report.summary;
    QString out =
        QStringLiteral("<section class=\"class\" id=\"file%1\"><h2>Класс %2 — %3 год</h2>")
            .arg(index + 1)
            .arg(escaped(Parts::classLabel(c.name)))
            .arg(c.name.year);
    out += QStringLiteral("<p><b>Анкет: %1</b> (девочек %2, мальчиков %3). <span class=\"file\">"
                          "Файл «%4».</span></p>")
               .arg(c.respondents)
               .arg(c.girls)
               .arg(c.boys)
               .arg(escaped(c.fileName));
    if (report.leftOut > 0)
        out += QStringLiteral("<p class=\"warning\">Ошибочных записей в файле: %1 — они не "
                              "вошли в отчёт.</p>")
                   .arg(report.leftOut);
    if (c.respondents == 0)
        return out + QStringLiteral("<p>В файле нет правильных записей.</p></section>");
    out += subjectsTable(c);
    out += QStringLiteral("<div class=\"side\"><div><h3>Любимые и требовательные учителя</h3>%1"
                          "<p class=\"note\">Сколько учащихся отметили учителя предмета.</p></div>"
                          "<div><h3>Дополнительные области</h3>%2<p class=\"note\">Средний интерес "
                          "от 0 (совсем не интересно) до 9 (очень интересно).</p></div></div>")
               .arg(teacherChart(c.teachers), areaChart(c.areas));
    out += QStringLiteral("<h3>Время заполнения</h3><table class=\"seconds\"><thead><tr><th></th>"
                          "<th>Медиана</th><th>Учтено анкет</th><th>Не реальные значения (1000 с "
                          "и больше)</th></tr></thead><tbody>");
    out += secondsRow(QStringLiteral("Экран оценок"), c.gradesSeconds);
    out += secondsRow(QStringLiteral("От начала теста до конца вопросов об учителях"),
                      c.demandingSeconds);
    out += QStringLiteral("</tbody></table>");
    if (report.matrix)
        out += Parts::sociomatrixBlock(c, *report.matrix);
    else
        out += QStringLiteral("<h3>Выборы одноклассников</h3><p>В этом файле нет ни одного выбора "
                              "одноклассников (класс отвечал без списка класса), поэтому "
                              "социоматрицы нет.</p>");
    return out + QStringLiteral("</section>");
}

} // namespace

namespace Parts {

QString classLabel(const FileName& name)
{
    return name.classNumber + name.stream;
}

} // namespace Parts

QString renderReport(const ReportInput& input)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                                 "lang=\"ru\"><head><meta charset=\"utf-8\"/><title>Анкета "
                                 "учащихся: отчёт по классам</title><style>");
    out += Parts::styleSheet();
    out += QStringLiteral("</style></head><body>");
    out += head(input);
    for (std::size_t i = 0; i < input.classes.size(); ++i)
        out += classSection(input.classes[i], i);
    return out + QStringLiteral("</body></html>\n");
}

} // namespace SurveyData::Report
