#include "fuzz/FuzzEntries.h"

#include "storage/ExcelAutomation.h"
#include "storage/RosterNames.h"
#include "storage/RosterWorkbook.h"
#include "storage/StatisticsFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <optional>
#include <vector>

namespace FuzzEntries {
namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

// A record line as the saver builds it: the surname "Петров" in Windows-1251, then places.
QByteArray sampleRecord()
{
    QByteArray record = QByteArrayLiteral("\xcf\xe5\xf2\xf0\xee\xe2");
    while (record.size() < 804)
        record += record.size() % 12 == 0 ? '5' : ' ';
    return record;
}

// The lines of a file split independently of the saver: a line ends at CR, at LF or at CR LF.
std::vector<QByteArrayView> linesOf(QByteArrayView bytes)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const char c = bytes[at];
        if (c != '\r' && c != '\n') {
            ++at;
            continue;
        }
        lines.push_back(bytes.sliced(start, at - start));
        at += (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ? 2 : 1;
        start = at;
    }
    if (start < bytes.size())
        lines.push_back(bytes.sliced(start));
    return lines;
}

// The lines of what the saver wrote, each of which must end in CR LF; nothing when one does not.
std::optional<std::vector<QByteArrayView>> crLfLinesOf(QByteArrayView bytes)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf(CrLf, start);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView line = bytes.sliced(start, end - start);
        if (line.contains('\r') || line.contains('\n'))
            return std::nullopt;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

bool isDecimal(QByteArrayView text)
{
    if (text.startsWith('-'))
        text = text.sliced(1);
    if (text.isEmpty() || (text.size() > 1 && text.front() == '0'))
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QString checkedSave(const QByteArray& existing, const QByteArray& record, QByteArray& contents)
{
    contents = StatisticsFile::contentsAfterSave(existing, record);
    // The save reads the old file a buffer at a time: any buffer gives the same contents.
    const qsizetype bufferBytes = 1 + existing.size() % 13;
    if (StatisticsFile::contentsAfterSave(existing, record, bufferBytes) != contents)
        return QStringLiteral("read through a buffer of %1 bytes, the contents differ")
            .arg(bufferBytes);
    const auto written = crLfLinesOf(contents);
    if (!written)
        return QStringLiteral("a line of the saved file does not end in CR LF");
    const std::vector<QByteArrayView> old = linesOf(existing);
    // An empty file is started anew; otherwise every line after the counter stays as it was.
    const std::size_t kept = existing.isEmpty() ? 0 : old.size() - 1;
    if (written->size() != kept + 2)
        return QStringLiteral("%1 lines written for %2 kept").arg(written->size()).arg(kept);
    if (!isDecimal(written->front()))
        return QStringLiteral("the counter is not a decimal number");
    for (std::size_t i = 0; i < kept; ++i) {
        if ((*written)[i + 1] != old[i + 1])
            return QStringLiteral("line %1 changed").arg(i + 2);
    }
    if (written->back() != record)
        return QStringLiteral("the record is not the last line");
    return {};
}

} // namespace

QString rosterWorkbook(QByteArrayView bytes, const QString& scratchFolder)
{
    const QString path = QDir(scratchFolder).absoluteFilePath(QStringLiteral("8А.xls"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), bytes.size()) != bytes.size())
            return QStringLiteral("cannot write %1").arg(path);
    }
    try {
        const RosterNames::Reading reading = RosterNames::readRoster(path, QLocale::c());
        if (reading.rowCount < 0 || std::size_t(reading.rowCount) != reading.rows.size())
            return QStringLiteral("%1 rows counted, %2 read")
                .arg(reading.rowCount)
                .arg(reading.rows.size());
        for (const RosterNames::Row& row : reading.rows) {
            if (row.name && !row.name->isEmpty() && row.name->size() != RosterNames::NameWidth)
                return QStringLiteral("a grid name of %1 characters").arg(row.name->size());
        }
        if (!ExcelApplication.isEmpty())
            return QStringLiteral("the automation holder still holds an object");
        // The classmate screen's reader counts the same rows of the same file.
        if (RosterNames::readRowCount(path) != reading.rowCount)
            return QStringLiteral("the grid reader counts other rows than the roster reader");
    } catch (const RosterWorkbookError& e) {
        if (e.text().isEmpty())
            return QStringLiteral("a roster error without a text");
    }
    if (!ExcelApplication.isEmpty())
        return QStringLiteral("the automation holder still holds an object");
    return {};
}

QString statisticsFile(QByteArrayView bytes)
{
    static const QByteArray record = sampleRecord();
    const QByteArray existing = bytes.toByteArray();
    QByteArray first;
    try {
        if (QString problem = checkedSave(existing, record, first); !problem.isEmpty())
            return problem;
    } catch (const StatisticsFile::InvalidCounterError& e) {
        if (!e.text().endsWith(QLatin1String("' is not a valid integer value")))
            return QStringLiteral("unexpected counter message: %1").arg(e.text());
        return {};
    }
    // The largest counter has no successor; any other saved file takes the next save.
    if (first.startsWith("9223372036854775807\r\n"))
        return {};
    QByteArray second;
    try {
        if (QString problem = checkedSave(first, record, second); !problem.isEmpty())
            return QStringLiteral("second save: ") + problem;
    } catch (const StatisticsFile::InvalidCounterError& e) {
        return QStringLiteral("second save refused its own counter: ") + e.text();
    }
    return {};
}

} // namespace FuzzEntries
