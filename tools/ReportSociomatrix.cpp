#include "tools/ReportSociomatrix.h"

#include "state/AnswerCodes.h"
#include "storage/SurveyRecord.h"

#include <algorithm>

namespace SurveyData::Report {
namespace {

using StatisticsReader::Record;

constexpr std::size_t Questions = ClassmateQuestionCount;

int columnOf(QStringList& columns, const QString& name)
{
    const qsizetype at = columns.indexOf(name);
    if (at >= 0)
        return static_cast<int>(at);
    columns.append(name);
    return static_cast<int>(columns.size() - 1);
}

SociomatrixRow rowOf(const Record& record)
{
    SociomatrixRow row;
    row.name = record.answers.surname;
    row.line = record.line;
    for (std::size_t q = 0; q < Questions; ++q)
        for (int place = 0; place < AnswerCodes::ChoicesPerQuestion; ++place) {
            const QString& name = record.answers.classmates[q * AnswerCodes::ChoicesPerQuestion +
                                                            static_cast<std::size_t>(place)];
            if (!name.isEmpty() && !row.choices[q].contains(name))
                row.choices[q].append(name);
        }
    row.choseNobody = std::all_of(row.choices.begin(), row.choices.end(),
                                  [](const QStringList& names) { return names.isEmpty(); });
    return row;
}

} // namespace

std::optional<Sociomatrix> sociomatrix(const std::vector<Record>& records)
{
    Sociomatrix m;
    for (const Record& record : records)
        m.rows.push_back(rowOf(record));
    if (std::all_of(m.rows.begin(), m.rows.end(),
                    [](const SociomatrixRow& row) { return row.choseNobody; }))
        return std::nullopt;

    for (SociomatrixRow& row : m.rows)
        row.column = columnOf(m.columns, row.name);
    m.respondentColumns = static_cast<int>(m.columns.size());
    for (const SociomatrixRow& row : m.rows)
        for (const QStringList& names : row.choices)
            for (const QString& name : names)
                columnOf(m.columns, name);
    const auto columns = static_cast<std::size_t>(m.columns.size());

    // chose[q][a][b]: a respondent of column a chose column b in question q.
    std::vector<std::vector<std::vector<bool>>> chose(
        Questions, std::vector<std::vector<bool>>(columns, std::vector<bool>(columns)));
    m.received.assign(columns, 0);
    m.receivedByQuestion.assign(columns, {});
    for (SociomatrixRow& row : m.rows) {
        row.cells.assign(columns, 0);
        row.mutual.assign(columns, false);
        for (std::size_t q = 0; q < Questions; ++q) {
            if (row.choices[q].isEmpty())
                ++m.nobodyByQuestion[q];
            for (const QString& name : row.choices[q]) {
                const auto c = static_cast<std::size_t>(m.columns.indexOf(name));
                ++row.cells[c];
                ++m.received[c];
                ++m.receivedByQuestion[c][q];
                chose[q][static_cast<std::size_t>(row.column)][c] = true;
                row.choseSelf = row.choseSelf || static_cast<int>(c) == row.column;
            }
        }
        if (row.choseNobody)
            ++m.rowsWithoutChoices;
    }

    for (SociomatrixRow& row : m.rows) {
        const auto own = static_cast<std::size_t>(row.column);
        for (std::size_t q = 0; q < Questions; ++q)
            for (const QString& name : row.choices[q]) {
                const auto c = static_cast<std::size_t>(m.columns.indexOf(name));
                if (c != own && chose[q][c][own])
                    row.mutual[c] = true;
            }
    }
    for (std::size_t a = 0; a < columns; ++a)
        for (std::size_t b = a + 1; b < columns; ++b) {
            MutualPair pair{static_cast<int>(a), static_cast<int>(b), {}};
            for (std::size_t q = 0; q < Questions; ++q)
                if (chose[q][a][b] && chose[q][b][a])
                    pair.questions.push_back(static_cast<int>(q));
            if (!pair.questions.empty())
                m.mutualPairs.push_back(pair);
        }

    const int most = *std::max_element(m.received.begin(), m.received.end());
    for (std::size_t c = 0; c < columns; ++c) {
        if (m.received[c] == most)
            m.stars.push_back(static_cast<int>(c));
        if (static_cast<int>(c) < m.respondentColumns && m.received[c] == 0)
            m.unchosen.push_back(static_cast<int>(c));
    }

    for (int c = 0; c < m.columns.size(); ++c)
        if (m.columns[c].size() >= SurveyRecord::PlaceWidth)
            m.possiblyCut.push_back(c);
    for (int c = 0; c < m.respondentColumns; ++c) {
        SharedName shared{m.columns[c], {}};
        for (const SociomatrixRow& row : m.rows)
            if (row.column == c)
                shared.lines.push_back(row.line);
        if (shared.lines.size() > 1)
            m.sharedNames.push_back(shared);
    }
    return m;
}

} // namespace SurveyData::Report
