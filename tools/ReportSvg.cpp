#include "tools/ReportSvg.h"

#include "state/AnswerCodes.h"
#include "tools/ReportMarkup.h"

#include <algorithm>

namespace SurveyData::Report {
namespace {

QString n(double value)
{
    return QString::number(value, 'f', 1);
}

QString svgOpen(int width, int height, const QString& label)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" width=\"%1\" "
                          "height=\"%2\" viewBox=\"0 0 %1 %2\" role=\"img\" aria-label=\"%3\">")
        .arg(width)
        .arg(height)
        .arg(escaped(label));
}

QString line(double x1, double y1, double x2, double y2)
{
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"#000\" "
                          "stroke-width=\"1\"/>")
        .arg(n(x1), n(y1), n(x2), n(y2));
}

QString text(double x, double y, const QString& anchor, const QString& content, int size = 12)
{
    return QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"%3\" font-size=\"%4\">%5</text>")
        .arg(n(x), n(y), anchor)
        .arg(size)
        .arg(escaped(content));
}

QString rect(double x, double y, double width, double height, bool filled)
{
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\" "
                          "stroke=\"#000\" stroke-width=\"1\"/>")
        .arg(n(x), n(y), n(width), n(height),
             filled ? QStringLiteral("#333") : QStringLiteral("#fff"));
}

// A step between the ticks of a count axis that gives no more than about six ticks.
int tickStep(int maximum)
{
    for (int step : {1, 2, 5, 10, 20, 25, 50, 100, 200, 500})
        if (maximum / step <= 6)
            return step;
    return 1000;
}

// The horizontal count axis at y from x0 (0) to x0 + width (maximum), with its ticks.
QString countAxis(double x0, double width, double y, int maximum)
{
    QString out = line(x0, y, x0 + width, y);
    for (int tick = 0; tick <= maximum; tick += tickStep(maximum)) {
        const double x = x0 + width * tick / maximum;
        out += line(x, y, x, y + 3) +
               text(x, y + 13, QStringLiteral("middle"), QString::number(tick), 11);
    }
    return out;
}

} // namespace

QString gradeChart(const SubjectSummary& subject)
{
    constexpr int Width = 300, Height = 96;
    constexpr double Left = 24, Right = Width - 4, Top = 15, Bottom = Height - 19;
    const int most =
        std::max(1, *std::max_element(subject.gradeCounts.begin(), subject.gradeCounts.end()));
    const auto codes = AnswerCodes::scale(AnswerCodes::Question::Grades).codes;
    QString label = QStringLiteral("Оценки, %1:").arg(subject.name);
    QString bars;
    const double slot = (Right - Left) / GradeSteps;
    for (std::size_t i = 0; i < subject.gradeCounts.size(); ++i) {
        const int count = subject.gradeCounts[i];
        const QString shown = QString::fromUtf8(codes[i].shown);
        label += QStringLiteral(" %1 — %2;").arg(shown).arg(count);
        const double x = Left + slot * static_cast<double>(i);
        const double height = (Bottom - Top) * count / most;
        if (count > 0) {
            bars += rect(x + slot * 0.15, Bottom - height, slot * 0.7, height, true);
            bars += text(x + slot / 2, Bottom - height - 3, QStringLiteral("middle"),
                         QString::number(count), 11);
        }
        bars += text(x + slot / 2, Bottom + 12, QStringLiteral("middle"), shown);
    }
    return svgOpen(Width, Height, label) + bars + line(Left, Top, Left, Bottom) +
           line(Left, Bottom, Right, Bottom) + line(Left - 3, Top, Left, Top) +
           text(Left - 5, Top + 3, QStringLiteral("end"), QString::number(most), 11) +
           text(Left - 5, Bottom + 3, QStringLiteral("end"), QStringLiteral("0"), 11) +
           QStringLiteral("</svg>");
}

QString teacherChart(const std::vector<TeacherCount>& teachers)
{
    constexpr double Label = 140, Bars = 300, RowHeight = 28, Top = 24;
    const double width = Label + Bars + 30;
    const double height = Top + RowHeight * static_cast<double>(teachers.size()) + 22;
    int most = 1;
    for (const TeacherCount& t : teachers)
        most = std::max({most, t.favourite, t.demanding});
    QString out = svgOpen(static_cast<int>(width), static_cast<int>(height),
                          QStringLiteral("Любимые и требовательные учителя по предметам"));
    out += rect(Label, 4, 12, 9, true) +
           text(Label + 16, 12, QStringLiteral("start"), QStringLiteral("любимый учитель"));
    out += rect(Label + 150, 4, 12, 9, false) +
           text(Label + 166, 12, QStringLiteral("start"), QStringLiteral("требовательный"));
    double y = Top;
    for (const TeacherCount& t : teachers) {
        out += text(Label - 6, y + 17, QStringLiteral("end"), t.name);
        const double favourite = Bars * t.favourite / most;
        const double demanding = Bars * t.demanding / most;
        if (t.favourite > 0)
            out += rect(Label, y + 3, favourite, 10, true);
        out += text(Label + favourite + 4, y + 12, QStringLiteral("start"),
                    QString::number(t.favourite), 11);
        if (t.demanding > 0)
            out += rect(Label, y + 14, demanding, 10, false);
        out += text(Label + demanding + 4, y + 24, QStringLiteral("start"),
                    QString::number(t.demanding), 11);
        y += RowHeight;
    }
    out += line(Label, Top, Label, y) + countAxis(Label, Bars, y, most);
    return out + QStringLiteral("</svg>");
}

QString areaChart(const std::vector<AreaSummary>& areas)
{
    constexpr double Label = 200, Bars = 240, RowHeight = 22, Top = 6, Scale = 9;
    const double height = Top + RowHeight * static_cast<double>(areas.size()) + 22;
    QString out = svgOpen(static_cast<int>(Label + Bars + 36), static_cast<int>(height),
                          QStringLiteral("Средний интерес к дополнительным областям, от 0 до 9"));
    double y = Top;
    for (const AreaSummary& area : areas) {
        out += text(Label - 6, y + 13, QStringLiteral("end"), area.name);
        const double length = Bars * area.mean.value_or(0) / Scale;
        if (length > 0)
            out += rect(Label, y + 4, length, 11, true);
        out += text(Label + length + 4, y + 13, QStringLiteral("start"), decimal(area.mean, 1), 11);
        y += RowHeight;
    }
    out += line(Label, Top, Label, y) + line(Label, y, Label + Bars, y);
    for (int tick = 0; tick <= Scale; ++tick) {
        const double x = Label + Bars * tick / Scale;
        out += line(x, y, x, y + 3) +
               text(x, y + 13, QStringLiteral("middle"), QString::number(tick), 11);
    }
    return out + QStringLiteral("</svg>");
}

} // namespace SurveyData::Report
