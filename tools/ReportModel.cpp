#include "tools/ReportModel.h"

#include "state/AnswerCodes.h"
#include "state/SubjectCatalogue.h"
#include "storage/SurveyRecord.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace SurveyData::Report {
namespace {

// The place of a code on its scale; nothing for a value the scale does not have.
std::optional<int> stepOf(AnswerCodes::Question question, const QString& value)
{
    const auto codes = AnswerCodes::scale(question).codes;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (AnswerCodes::trimmedCode(codes[i]) == value)
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<double> mean(const std::vector<double>& values)
{
    if (values.empty())
        return std::nullopt;
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// Only the scale's own codes count: a subject the class does not have stores "0" for the minutes
// too, and that is decided by the class rule before this is asked.
void addNumber(std::vector<double>& values, AnswerCodes::Question question, const QString& value)
{
    if (stepOf(question, value))
        values.push_back(value.toDouble());
}

SubjectSummary subjectSummary(int number, const QString& classNumber,
                              const std::vector<Record>& records)
{
    SubjectSummary s;
    s.number = number;
    s.name = subjectName(number, classNumber);
    const auto i = static_cast<std::size_t>(number - 1);
    std::vector<double> grades, homework, distraction, interest;
    for (const Record& record : records) {
        const StatisticsReader::Answers& a = record.answers;
        if (const auto step = stepOf(AnswerCodes::Question::Grades, a.grades[i])) {
            ++s.gradeCounts[static_cast<std::size_t>(*step)];
            grades.push_back(a.grades[i].toDouble());
        }
        addNumber(homework, AnswerCodes::Question::Homework, a.homework[i]);
        addNumber(distraction, AnswerCodes::Question::Distraction, a.distraction[i]);
        addNumber(interest, AnswerCodes::Question::Interest, a.interest[i]);
    }
    s.answers = static_cast<int>(grades.size());
    s.meanGrade = mean(grades);
    s.medianHomework = median(homework);
    s.medianDistraction = median(distraction);
    s.meanInterest = mean(interest);
    return s;
}

SecondsSummary secondsSummary(const std::vector<Record>& records,
                              qint32 StatisticsReader::Answers::*field)
{
    SecondsSummary s;
    std::vector<double> real;
    for (const Record& record : records) {
        const qint32 value = record.answers.*field;
        if (value < 0 || value >= SurveyRecord::UnrealSeconds)
            s.unreal.push_back(value);
        else
            real.push_back(value);
    }
    s.real = static_cast<int>(real.size());
    s.median = median(std::move(real));
    return s;
}

// A pupil marks a subject once at most; a record that names it twice still counts one pupil.
int countOf(const std::array<QString, 3>& marks, int number)
{
    return std::find(marks.begin(), marks.end(), QString::number(number)) != marks.end() ? 1 : 0;
}

} // namespace

QString subjectName(int number, const QString& classNumber)
{
    const QString heading = SubjectCatalogue::heading(number, classNumber);
    return heading.left(1) + heading.mid(1).toLower();
}

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

ClassSummary summarize(const FileName& name, const QString& fileName,
                       const std::vector<Record>& records)
{
    ClassSummary c;
    c.name = name;
    c.fileName = fileName;
    c.respondents = static_cast<int>(records.size());
    for (const Record& record : records) {
        if (record.answers.genderCode == QLatin1String("0"))
            ++c.girls;
        else if (record.answers.genderCode == QLatin1String("1"))
            ++c.boys;
    }
    for (const SubjectCatalogue::Subject& subject : SubjectCatalogue::subjects()) {
        if (!SubjectCatalogue::taughtIn(subject.number, name.classNumber))
            continue;
        c.subjects.push_back(subjectSummary(subject.number, name.classNumber, records));
        TeacherCount t{subject.number, subjectName(subject.number, name.classNumber)};
        for (const Record& record : records) {
            t.favourite += countOf(record.answers.favourite, subject.number);
            t.demanding += countOf(record.answers.demanding, subject.number);
        }
        c.teachers.push_back(t);
    }
    const auto areas = AnswerCodes::extraAreas();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        AreaSummary area;
        const QString caption = QString::fromUtf8(areas[i].caption);
        area.name = caption.left(1) + caption.mid(1).toLower();
        std::vector<double> values;
        for (const Record& record : records)
            if (const auto step = stepOf(AnswerCodes::Question::Extra, record.answers.extra[i])) {
                ++area.counts[static_cast<std::size_t>(*step)];
                values.push_back(*step);
            }
        area.mean = mean(values);
        c.areas.push_back(area);
    }
    c.gradesSeconds = secondsSummary(records, &StatisticsReader::Answers::gradesSeconds);
    c.demandingSeconds = secondsSummary(records, &StatisticsReader::Answers::demandingSeconds);
    return c;
}

bool classOrder(const FileName& a, const FileName& b)
{
    return std::tuple(a.classNumber.toInt(), a.stream, a.year) <
           std::tuple(b.classNumber.toInt(), b.stream, b.year);
}

std::vector<ClassTotal> totalsByClass(const std::vector<ClassSummary>& classes)
{
    std::vector<ClassTotal> totals;
    for (const ClassSummary& c : classes) {
        auto it = std::find_if(totals.begin(), totals.end(), [&](const ClassTotal& t) {
            return t.classNumber == c.name.classNumber && t.stream == c.name.stream;
        });
        if (it == totals.end()) {
            totals.push_back({c.name.classNumber, c.name.stream, c.name.year, c.name.year});
            it = std::prev(totals.end());
        }
        it->firstYear = std::min(it->firstYear, c.name.year);
        it->lastYear = std::max(it->lastYear, c.name.year);
        ++it->files;
        it->respondents += c.respondents;
        it->girls += c.girls;
        it->boys += c.boys;
    }
    std::sort(totals.begin(), totals.end(), [](const ClassTotal& a, const ClassTotal& b) {
        return std::tuple(a.classNumber.toInt(), a.stream) <
               std::tuple(b.classNumber.toInt(), b.stream);
    });
    return totals;
}

} // namespace SurveyData::Report
