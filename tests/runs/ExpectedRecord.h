#pragma once

// The statistics file a whole run must leave, written out here byte by byte from the answers the
// respondent gave: places of 12 characters in the record's order, Windows-1251, CR LF. Nothing of
// the program's own record or encoding code is used for it. And the checks of a run's end.

#include "Respondent.h"
#include "support/Files.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace expected {

using respondent::Answers;
using respondent::PerSubject;

// What the record holds beyond the answers themselves.
struct Outcome
{
    QString surname; // as stored, at most 12 letters (the blanks after it are added here)
    int gradesSeconds = 0;
    int demandingSeconds = 0;
    QStringList classmates{}; // the twelve choices in order, "" for none; empty list: 144 blanks
};

// Windows-1251 for the letters the tests use: ASCII, А … я, Ё and ё.
inline QByteArray cp1251(const QString& text)
{
    QByteArray bytes;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80)
            bytes += static_cast<char>(u);
        else if (u >= 0x0410 && u <= 0x044F)
            bytes += static_cast<char>(0xC0 + (u - 0x0410));
        else if (u == 0x0401)
            bytes += '\xA8';
        else if (u == 0x0451)
            bytes += '\xB8';
        else {
            std::fprintf(stderr, "FATAL: no Windows-1251 byte written out for U+%04X\n",
                         static_cast<unsigned>(u));
            std::abort();
        }
    }
    return bytes;
}

inline QByteArray place(const QByteArray& value)
{
    return value.leftJustified(12, ' ');
}

inline QByteArray place(int number)
{
    return place(QByteArray::number(number));
}

// The places of the ten subjects in the record's order: algebra, physics, chemistry, history,
// biology, foreign language, literature, Russian, geography, informatics. A subject the class
// does not have stores "0".
template <typename T, typename CodeOf>
QByteArray subjectPlaces(const PerSubject<T>& s, CodeOf codeOf)
{
    const std::optional<T> inRecordOrder[10] = {
        s.algebra,         s.physics,    s.chemistry, s.history,   s.biology,
        s.foreignLanguage, s.literature, s.russian,   s.geography, s.informatics};
    QByteArray places;
    for (const auto& value : inRecordOrder)
        places += place(value ? codeOf(*value) : QByteArray("0"));
    return places;
}

// A grade as stored: a minus step is the grade less 0.3, a plus step the grade plus 0.3.
inline QByteArray gradeCode(const char* shown)
{
    static const char* const codes[][2] = {
        {"2", "2"},    {"2+", "2.3"}, {"3-", "2.7"}, {"3", "3"},    {"3+", "3.3"},
        {"4-", "3.7"}, {"4", "4"},    {"4+", "4.3"}, {"5-", "4.7"}, {"5", "5"},
    };
    for (const auto& code : codes)
        if (qstrcmp(code[0], shown) == 0)
            return code[1];
    std::fprintf(stderr, "FATAL: no grade %s\n", shown);
    std::abort();
}

inline QByteArray asNumber(int value)
{
    return QByteArray::number(value);
}

// The subjects that stay marked, in the order of their latest marking: a press marks, a second
// press takes the mark back, a fourth mark is not taken.
inline QList<int> marked(const QList<int>& presses)
{
    QList<int> marks;
    for (int subject : presses) {
        if (marks.contains(subject))
            marks.removeOne(subject);
        else if (marks.size() < 3)
            marks.append(subject);
    }
    return marks;
}

inline QByteArray record(const Answers& a, const Outcome& o)
{
    QByteArray r = place(cp1251(o.surname));
    r += place(a.male ? "1" : "0");
    r += subjectPlaces(a.grades, gradeCode);
    r += subjectPlaces(a.homework, asNumber);
    r += subjectPlaces(a.distraction, asNumber);
    r += subjectPlaces(a.interest, asNumber);
    for (int subject : marked(a.favouritePresses))
        r += place(subject);
    for (int subject : marked(a.demandingPresses))
        r += place(subject);
    for (int digit : a.extra)
        r += place(digit);
    for (int choice = 0; choice < 12; ++choice)
        r += place(choice < o.classmates.size() ? cp1251(o.classmates[choice]) : QByteArray());
    r += place(o.gradesSeconds);
    r += place(o.demandingSeconds);
    return r;
}

// The counter line and the records, oldest first, every line ended by CR LF.
inline QByteArray statisticsFile(const QList<QByteArray>& records)
{
    QByteArray file = QByteArray::number(records.size()) + "\r\n";
    for (const QByteArray& r : records)
        file += r + "\r\n";
    return file;
}

// "STAT/7Б 0.17c": class, stream letter, a blank, "0", a full stop, the year's last two digits,
// "c".
inline QString fileName(const Answers& a, int year)
{
    return QStringLiteral("%1%2 0.%3c")
        .arg(a.classNumber)
        .arg(a.stream)
        .arg(year % 100, 2, 10, QLatin1Char('0'));
}

// Where two files first differ, told by line and by position within a record; empty if they
// are the same.
inline QString difference(const QByteArray& actual, const QByteArray& wanted)
{
    if (actual == wanted)
        return {};
    qsizetype at = 0;
    while (at < actual.size() && at < wanted.size() && actual[at] == wanted[at])
        ++at;
    const qsizetype lineStart = actual.lastIndexOf('\n', at - 1) + 1;
    return QStringLiteral("%1 bytes, %2 wanted; first difference at byte %3, line %4, position %5: "
                          "\"%6\" where \"%7\" was wanted")
        .arg(actual.size())
        .arg(wanted.size())
        .arg(at)
        .arg(actual.left(at).count('\n') + 1)
        .arg(at - lineStart + 1)
        .arg(QString::fromLatin1(actual.mid(at, 16).toPercentEncoding(" ")),
             QString::fromLatin1(wanted.mid(at, 16).toPercentEncoding(" ")));
}

// The exit button closes these, in this order, once the record is saved.
inline const QStringList ClosedAtTheEnd{"Form_Vveden",   "Form1_Ball", "Form2_House", "Form3_Eff",
                                        "Form4_Intrest", "Form5_Love", "Form6_Treb",  "Form7_Fam"};

// Everything in STAT.
inline QStringList allStatFiles(const QString& workingFolder)
{
    return QDir(workingFolder + QStringLiteral("/STAT")).entryList(QDir::Files, QDir::Name);
}

// The statistics files in STAT, without the lock file that the savers share and leave there.
inline QStringList statFiles(const QString& workingFolder)
{
    QStringList files = allStatFiles(workingFolder);
    files.removeOne(QStringLiteral("save.lock"));
    return files;
}

inline QStringList statFiles(const TestRun& test)
{
    return statFiles(test.folder());
}

// The file in STAT holds exactly these records.
inline void fileHolds(const TestRun& test, const QString& name, const QList<QByteArray>& records)
{
    for (const QByteArray& r : records)
        QCOMPARE(r.size(), 804);
    const QByteArray actual = files::readBytes(test.path(QStringLiteral("STAT/") + name));
    const QString difference = expected::difference(actual, expected::statisticsFile(records));
    QVERIFY2(difference.isEmpty(), qPrintable(name + QStringLiteral(": ") + difference));
}

// The end of every whole run: the program has ended after the save, the screens were closed in
// order, and nothing was written once the closing had begun.
inline void endedAfterTheSave(TestRun& test, const respondent::ScreenLog& log,
                              const QStringList& boxes = {})
{
    QVERIFY(test.ended());
    QCOMPARE(test.endStatus(), 0);
    QCOMPARE(test.boxTexts(), boxes);
    QCOMPARE(log.closed, ClosedAtTheEnd);
    for (const QString& name : ClosedAtTheEnd)
        QVERIFY2(!test.screen(qPrintable(name))->isVisible(), qPrintable(name));
    QCOMPARE(log.statAtFirstClose, respondent::statSnapshot(test));
}

} // namespace expected
