#pragma once

#include "storage/StatisticsReader.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// Who chose whom in the four classmate questions of one statistics file. A name is what the
// record holds: cut at 12 characters and trimmed, so two pupils whose names agree in those 12
// characters are one name here; the matrix says so rather than guess.
namespace SurveyData::Report {

inline constexpr int ClassmateQuestionCount = 4;

struct SociomatrixRow
{
    QString name;    // the respondent's surname as the record holds it, trimmed
    qint64 line = 0; // in the file
    int column = 0;  // the respondent's own column
    // Per question the names chosen, in the order of the places, each once.
    std::array<QStringList, ClassmateQuestionCount> choices;
    std::vector<int> cells;   // per column: in how many questions this row chose it (0 … 4)
    std::vector<bool> mutual; // per column: chosen back in the same question
    bool choseNobody = false; // blanks in all twelve places
    bool choseSelf = false;
};

struct MutualPair
{
    int first = 0; // columns, first < second
    int second = 0;
    std::vector<int> questions; // 0 … 3, where both chose each other
};

// A name that more than one record carries.
struct SharedName
{
    QString name;
    std::vector<qint64> lines;
};

struct Sociomatrix
{
    // The names of the columns: every respondent's name once, in file order, then each chosen
    // name that wrote no record of its own, in order of first mention.
    QStringList columns;
    int respondentColumns = 0;
    std::vector<SociomatrixRow> rows; // one per record, in file order
    std::vector<int> received;        // per column: choices received over the four questions
    std::vector<std::array<int, ClassmateQuestionCount>> receivedByQuestion;
    std::vector<MutualPair> mutualPairs;
    std::vector<int> stars;    // the columns with the most choices received
    std::vector<int> unchosen; // respondents' columns that no one chose
    int rowsWithoutChoices = 0;
    std::vector<SharedName> sharedNames;
    // The columns whose names fill all 12 characters: they may have been cut.
    std::vector<int> possiblyCut;
    // Per question: the rows that chose no one in it.
    std::array<int, ClassmateQuestionCount> nobodyByQuestion{};
};

// Nothing when no record carries a single choice: the class answered without a roster.
std::optional<Sociomatrix> sociomatrix(const std::vector<StatisticsReader::Record>& records);

} // namespace SurveyData::Report
