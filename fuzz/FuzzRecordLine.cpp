#include "fuzz/FuzzEntries.h"
#include "storage/StatisticsFile.h"
#include "storage/StatisticsReader.h"
#include "storage/Windows1251.h"

#include <QByteArrayList>
#include <QStringList>
#include <limits>

namespace FuzzEntries {
namespace {

using StatisticsReader::Answers;

constexpr qsizetype RecordLength = 804;
constexpr qsizetype PlaceWidth = 12;

// A valid record of class 7 (the saver's tests' respondent) to damage in place: the fuzzer
// reaches the checks behind the length test far sooner from it than from bytes alone.
QByteArray templateRecord()
{
    static const QList<QByteArrayList> rows = {
        {"\xcf\xe5\xf2\xf0\xee\xe2", "1"}, // Петров, male
        {"5", "4", "0", "3", "5", "4", "5", "4", "3", "5"},
        {"30", "20", "0", "15", "10", "45", "60", "25", "5", "90"},
        {"1", "2", "0", "3", "4", "5", "6", "7", "8", "9"},
        {"9", "8", "0", "7", "6", "5", "4", "3", "2", "1"},
        {"1", "4", "10", "2", "8", "9", "0", "3", "6", "9", "5"},
        QByteArrayList(12, QByteArray()),
        {"125", "300"},
    };
    QByteArray record;
    for (const QByteArrayList& row : rows)
        for (const QByteArray& value : row)
            record += value + QByteArray(PlaceWidth - value.size(), ' ');
    return record;
}

QByteArray placeOf(const QString& value)
{
    QByteArray bytes = toWindows1251(value);
    return bytes + QByteArray(std::max<qsizetype>(0, PlaceWidth - bytes.size()), ' ');
}

// The line the answers were read from, place by place, but for the seconds, whose digits may be
// written in more than one way.
QByteArray textPlacesOf(const Answers& a)
{
    QByteArray line = placeOf(a.surname) + placeOf(a.genderCode);
    for (const auto* group : {&a.grades, &a.homework, &a.distraction, &a.interest})
        for (const QString& value : *group)
            line += placeOf(value);
    for (const QString& value : a.favourite)
        line += placeOf(value);
    for (const QString& value : a.demanding)
        line += placeOf(value);
    for (const QString& value : a.extra)
        line += placeOf(value);
    for (const QString& value : a.classmates)
        line += placeOf(value);
    return line;
}

bool endsInBlank(const QString& text)
{
    return text.endsWith(QLatin1Char(' '));
}

QString checkAnswers(const Answers& a, QByteArrayView line)
{
    if (line.size() != RecordLength)
        return QStringLiteral("a line of %1 bytes was taken as a record").arg(line.size());
    const QByteArray places = textPlacesOf(a);
    if (places != line.first(RecordLength - 2 * PlaceWidth))
        return QStringLiteral("the answers do not give back the line they were read from");
    const auto seconds = [&line](int place) {
        bool ok = false;
        const qint32 value = line.sliced(RecordLength - (2 - place) * PlaceWidth, PlaceWidth)
                                 .toByteArray()
                                 .trimmed()
                                 .toInt(&ok);
        return ok ? std::optional<qint32>(value) : std::nullopt;
    };
    if (seconds(0) != a.gradesSeconds || seconds(1) != a.demandingSeconds)
        return QStringLiteral("the seconds read are not the seconds written");
    if (endsInBlank(a.surname) || endsInBlank(a.genderCode))
        return QStringLiteral("a place kept its blanks");
    return {};
}

// The reader's counter and the saver's must agree on every first line.
QString checkCounter(QByteArrayView firstLine)
{
    const std::optional<qint64> read = StatisticsReader::parseCounterLine(firstLine);
    QByteArray saved;
    try {
        saved = StatisticsFile::contentsAfterSave(firstLine.toByteArray() + "\r\n", "R");
    } catch (const StatisticsFile::InvalidCounterError&) {
        if (read && *read != std::numeric_limits<qint64>::max())
            return QStringLiteral("the saver refuses the counter %1 that the reader reads")
                .arg(*read);
        return {};
    }
    if (!read)
        return QStringLiteral("the saver takes a counter that the reader refuses");
    if (!saved.startsWith(QByteArray(QByteArray::number(*read + 1) + "\r\n")))
        return QStringLiteral("the saver and the reader read different counters");
    return {};
}

} // namespace

QString recordLine(QByteArrayView bytes)
{
    static const QStringList classes = {"5", "6", "7", "8", "9", "10", "11", "", "12", "7Б"};
    static const QByteArray base = templateRecord();
    if (bytes.isEmpty())
        return {};
    const auto control = static_cast<unsigned char>(bytes[0]);
    const QString classNumber = classes[control % classes.size()];
    QByteArray line;
    if (control & 0x80 && bytes.size() >= 3) {
        // Damage the template: bytes 1 and 2 tell where, the rest is written there.
        line = base;
        const qsizetype at =
            (static_cast<unsigned char>(bytes[1]) << 8 | static_cast<unsigned char>(bytes[2])) %
            RecordLength;
        const QByteArrayView patch =
            bytes.sliced(3).first(std::min<qsizetype>(bytes.size() - 3, RecordLength - at));
        line.replace(at, patch.size(), patch.toByteArray());
    } else {
        line = bytes.sliced(1).toByteArray();
    }

    const StatisticsReader::LineResult result =
        StatisticsReader::parseRecordLine(line, classNumber);
    if (result.answers && !result.reason.isEmpty())
        return QStringLiteral("a valid record with a reason: ") + result.reason;
    if (!result.answers && result.reason.isEmpty())
        return QStringLiteral("an invalid record without a reason");
    if (result.answers) {
        if (QString problem = checkAnswers(*result.answers, line); !problem.isEmpty())
            return problem;
    }
    qsizetype end = 0;
    while (end < line.size() && line[end] != '\r' && line[end] != '\n')
        ++end;
    return checkCounter(QByteArrayView(line).first(end));
}

} // namespace FuzzEntries
