#pragma once

#include "storage/StatisticsReader.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// What the class report says about one statistics file, worked out from its valid records: the
// figures a school psychologist reads per class. Pure: the renderer and the tests take these as
// they are.
namespace SurveyData::Report {

using StatisticsReader::FileName;
using StatisticsReader::Record;

// The grade scale has ten steps: 2, 2+, 3-, 3, … 5.
inline constexpr int GradeSteps = 10;

struct SubjectSummary
{
    int number = 0;  // SubjectCatalogue number
    QString name;    // as the class knows it: "Математика" below class 7
    int answers = 0; // records with a grade on the scale
    std::array<int, GradeSteps> gradeCounts{}; // in the order of the grade scale
    // The grade with its steps as numbers: 2+ is 2.3, 3- is 2.7.
    std::optional<double> meanGrade;
    std::optional<double> medianHomework;    // minutes; 90 stands for "90 and more"
    std::optional<double> medianDistraction; // minutes; 40 stands for the whole lesson
    std::optional<double> meanInterest;      // 0 … 9
};

struct TeacherCount
{
    int number = 0;
    QString name;
    int favourite = 0; // how many pupils marked the subject's teacher
    int demanding = 0;
};

struct AreaSummary
{
    QString name;
    std::array<int, 10> counts{}; // how many answered 0, 1, … 9
    std::optional<double> mean;
};

// A seconds field of every record: the median of the believable values; 1000 or more (and a
// negative value, which a clock set back gives) is left out and only counted.
struct SecondsSummary
{
    std::optional<double> median;
    int real = 0;
    std::vector<qint32> unreal; // in file order
};

struct ClassSummary
{
    FileName name;
    QString fileName; // without the folder
    int respondents = 0;
    int girls = 0;
    int boys = 0;
    std::vector<SubjectSummary> subjects; // the subjects the class has, in record order
    std::vector<TeacherCount> teachers;   // the same subjects
    std::vector<AreaSummary> areas;       // the five additional areas, in record order
    SecondsSummary gradesSeconds;
    SecondsSummary demandingSeconds;
};

ClassSummary summarize(const FileName& name, const QString& fileName,
                       const std::vector<Record>& records);

// "Математика", "Иностранный язык": the subject as the class's screens head it, in sentence case.
QString subjectName(int number, const QString& classNumber);

// The middle value, or the mean of the two middle ones; nothing for no values.
std::optional<double> median(std::vector<double> values);

// The head of the report: one row per class (number and stream), its files of all years together.
struct ClassTotal
{
    QString classNumber;
    QString stream;
    int firstYear = 0;
    int lastYear = 0;
    int files = 0;
    int respondents = 0;
    int girls = 0;
    int boys = 0;
};
std::vector<ClassTotal> totalsByClass(const std::vector<ClassSummary>& classes);

// Sections in the order a school lists its classes: 5 before 10, then the stream, then the year.
bool classOrder(const FileName& a, const FileName& b);

} // namespace SurveyData::Report
