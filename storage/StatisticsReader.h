#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The reading side of the statistics files, for the tools of analysts and operators: every
// record of a file checked against the record layout, the answer codes and the class rules, with
// one problem per invalid record or file. The program itself never reads these files (the saver
// reads the counter line alone).
namespace StatisticsReader {

// What the name of a statistics file tells: "7Б 0.17c" is class "7", stream "Б", year 2017.
struct FileName
{
    QString classNumber; // "5" … "11", as the class buttons write it
    QString stream;      // "А" … "Е", or empty
    int year = 0;        // four digits: 2000 + the two digits of the name
};

// The name alone, without a folder; nothing when it does not follow the rule.
std::optional<FileName> parseFileName(const QString& fileName);

// One valid record, each place with its trailing blanks (U+0020 only) taken off.
struct Answers
{
    QString surname;
    QString genderCode;                  // "1" male, "0" female
    std::array<QString, 10> grades;      // subject 1 … 10, record order
    std::array<QString, 10> homework;    // "0" also where the class has no such
    std::array<QString, 10> distraction; // subject: decide that by the class
    std::array<QString, 10> interest;    // rule, never by the value
    std::array<QString, 3> favourite;    // subject codes "1" … "10"
    std::array<QString, 3> demanding;
    std::array<QString, 5> extra;       // "0" … "9"
    std::array<QString, 12> classmates; // question 1 places 1-3, question 2, …;
                                        // empty for nobody
    qint32 gradesSeconds = 0;           // 1000 or more: not a real value
    qint32 demandingSeconds = 0;
};

struct Record
{
    qint64 line = 0; // in the file, counted from 1; the counter is line 1
    Answers answers;
};

struct Problem
{
    qint64 line = 0; // 0: the file as a whole
    QString reason;  // Russian, for the staff
};

struct FileContents
{
    QString path;
    std::optional<FileName> name;
    std::optional<qint64> counter; // as the saver reads it; nothing when line 1 is not a number
    qint64 recordLines = 0;        // lines after the counter, valid or not
    qint64 validRecords = 0;       // of those
    std::vector<Record> records;   // the valid ones, in file order
    std::vector<Problem> problems; // in line order; the file's own problems have line 0
};

// A line longer than this is not a record of any kind: it is reported with its length and
// never held in memory.
inline constexpr qsizetype MaxLineLength = 4096;

// Reads the file line by line (CR LF, LF or CR ends a line), never whole, so a file of any size
// and any content can be given: a file that cannot be read gives a problem, never an exception.
FileContents readFile(const QString& path);

// The same for files too big to hold their records: each valid record, and each problem when
// onProblem is set, is handed over as soon as it is read and not kept in the FileContents.
// Problems then come in reading order: the file name's first, the counter's (line 1) last.
struct Handlers
{
    std::function<void(const Record&)> onRecord;
    std::function<void(const Problem&)> onProblem; // unset: kept in FileContents::problems
};
FileContents readFile(const QString& path, const Handlers& handlers);

// The check of one record line, without its line end, for a file of class classNumber; what the
// fuzzers call. Either the answers or the reason why the line is not a valid record.
struct LineResult
{
    std::optional<Answers> answers;
    QString reason;
};
LineResult parseRecordLine(QByteArrayView line, const QString& classNumber);

// Line 1 as the saver reads it: blanks (U+0020) and a sign before the digits, nothing after
// them; nothing when it is not such a number or does not fit in 64 bits.
std::optional<qint64> parseCounterLine(QByteArrayView line);

// Why a line of this many bytes is not a record, for the lengths other than 804: the older
// records of 792 and 780 characters that left out a seconds value of 1000 or more are told apart.
QString lengthReason(qint64 length);

} // namespace StatisticsReader
