#include "storage/StatisticsFile.h"

#include "storage/StatisticsReader.h"
#include "storage/SurveyRecord.h"
#include "storage/Windows1251.h"

#include <QByteArrayView>
#include <QDir>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace fs = std::filesystem;

namespace StatisticsFile {
namespace {

const QString FolderName = QStringLiteral("STAT");
// One lock for the whole folder, never deleted: every saver must lock the same file.
const QString LockFileName = QStringLiteral("save.lock");
// Beside the statistics file, one per target so that a stale one is simply overwritten; it does
// not end in "c", so tools that look for statistics files pass it by.
const QString TempSuffix = QStringLiteral(".tmp");
const QByteArray LineEnd = QByteArrayLiteral("\r\n");
constexpr int QuotedCounterLength = 60;

fs::path toPath(const QString& text)
{
    return fs::path(text.toStdU16String());
}

struct Texts
{
    int code; // the runtime's error code; 0: the system's own code
    const char* runtimeText;
    const char* reason;
};

Texts textsOf(OsPlatform::ErrorKind kind)
{
    using K = OsPlatform::ErrorKind;
    switch (kind) {
    case K::FileNotFound:
        return {2, "File not found", "The system cannot find the file specified."};
    case K::PathNotFound:
        return {3, "Invalid filename", "The system cannot find the path specified."};
    case K::TooManyOpenFiles:
        return {4, "Too many open files", "The system cannot open the file."};
    case K::AccessDenied:
        return {5, "File access denied", "Access is denied."};
    case K::DiskFull:
        return {101, "Disk full", "There is not enough space on the disk."};
    case K::SharingViolation:
        return {0, nullptr,
                "The process cannot access the file because it is being used by another "
                "process."};
    case K::DeviceError:
        return {0, nullptr, "The request could not be performed because of an I/O device error."};
    case K::Other:
        break;
    }
    return {0, nullptr, nullptr};
}

// Line 1 as the readers of the files read it too; the counter is increased by one, so the
// largest value, which has no successor, is not a counter either.
std::optional<qint64> parseCounter(QByteArrayView line)
{
    const std::optional<qint64> value = StatisticsReader::parseCounterLine(line);
    if (value && *value == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return value;
}

QString quotedLine(QByteArrayView line)
{
    QString text = fromWindows1251(
        line.first(std::min<qsizetype>(line.size(), QuotedCounterLength)).toByteArray());
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0xFFFD)
            c = QLatin1Char('?');
    }
    return text;
}

// Where the line that starts at `from` ends, and where the next one starts.
struct LineSpan
{
    qsizetype end;
    qsizetype next;
};

// Walks the lines of a whole file front to back. The next CR and the next LF are each searched
// for once (memchr underneath) and remembered, so a file of any size and any mixture of line
// ends is split in one pass.
class LineScanner
{
public:
    explicit LineScanner(QByteArrayView bytes) : m_bytes(bytes) {}

    LineSpan lineAt(qsizetype from)
    {
        if (m_nextCr < from)
            m_nextCr = find('\r', from);
        if (m_nextLf < from)
            m_nextLf = find('\n', from);
        const qsizetype end = std::min(m_nextCr, m_nextLf);
        if (end == m_bytes.size())
            return {end, end};
        const bool crLf = end == m_nextCr && end + 1 < m_bytes.size() && m_nextLf == end + 1;
        return {end, end + (crLf ? 2 : 1)};
    }

private:
    qsizetype find(char c, qsizetype from) const
    {
        const qsizetype at = m_bytes.indexOf(c, from);
        return at < 0 ? m_bytes.size() : at;
    }

    QByteArrayView m_bytes;
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
};

// The new line 1, with its line end: the old counter increased by one.
QByteArray nextCounterLine(QByteArrayView counterLine)
{
    const std::optional<qint64> counter = parseCounter(counterLine);
    if (!counter)
        throw InvalidCounterError(
            QStringLiteral("'%1' is not a valid integer value").arg(quotedLine(counterLine)));
    return QByteArray::number(*counter + 1) + LineEnd;
}

// Gives the pieces that write lines 2 on, a chunk of the old file at a time, each line ended by
// CR LF: runs of lines that end in CR LF already are views into the chunk, every other line end
// is written as CR LF.
class LineMender
{
public:
    // When more follows, the line at the end of chunk goes on in the next one, and a CR at its
    // very end is left out (its LF may begin the next chunk): the count of bytes left out is
    // returned, to go before the next chunk.
    qsizetype mend(QByteArrayView chunk, bool last, std::vector<QByteArrayView>& pieces)
    {
        const qsizetype leftOut = !last && chunk.endsWith('\r') ? 1 : 0;
        const QByteArrayView bytes = chunk.first(chunk.size() - leftOut);
        if (last && bytes.isEmpty() && m_inLine) // the file ends inside its last line
            pieces.push_back(LineEnd);
        LineScanner lines(bytes);
        qsizetype copied = 0; // the bytes before this are in the pieces
        bool goesOn = false;
        for (qsizetype at = 0; at < bytes.size();) {
            const LineSpan line = lines.lineAt(at);
            if (line.next != line.end + 2) { // a lone CR or LF, or the end of the chunk
                goesOn = line.end == bytes.size() && !last;
                if (goesOn)
                    break;
                pieces.push_back(bytes.sliced(copied, line.end - copied));
                pieces.push_back(LineEnd);
                copied = line.next;
            }
            at = line.next;
        }
        if (copied < bytes.size())
            pieces.push_back(bytes.sliced(copied));
        if (!bytes.isEmpty())
            m_inLine = goesOn;
        return leftOut;
    }

private:
    bool m_inLine = false; // the chunks so far end inside a line
};

// What the save writes, streamed: the old file is read through read(to, room), which gives the
// bytes read and 0 at its end, a buffer at a time; the pieces of the new contents go to
// write(pieces) in their order, each buffer's as soon as it is read. begin(rewriting) comes
// first, once line 1 is read whole and found a counter (or there is no old file). Tells
// whether there was an old file to rewrite (one of zero length is started anew).
template <typename Read, typename Begin, typename Write>
bool streamContents(const QByteArray& record, qsizetype bufferBytes, Read read, Begin begin,
                    Write write)
{
    QByteArray buffer(std::max<qsizetype>(bufferBytes, 2), Qt::Uninitialized);
    qsizetype held = 0; // bytes of the old file in the buffer, not yet written on
    bool atEnd = false;
    // Reads on after the held bytes, the buffer grown when they fill it.
    const auto readOn = [&] {
        if (held == buffer.size())
            buffer.resize(buffer.size() * 2);
        const qsizetype got = read(buffer.data() + held, buffer.size() - held);
        atEnd = got == 0;
        held += got;
    };
    // Line 1 is read whole, and the byte after a CR at its end, before anything is written.
    const auto firstLineKnown = [&] {
        const QByteArrayView bytes(buffer.constData(), held);
        const qsizetype cr = bytes.indexOf('\r');
        const qsizetype lf = bytes.indexOf('\n');
        if (lf >= 0 && (cr < 0 || lf < cr))
            return true;
        return cr >= 0 && cr < held - 1;
    };
    do
        readOn();
    while (!atEnd && !firstLineKnown());

    const bool rewriting = held > 0;
    QByteArray counterLine = QByteArrayLiteral("1") + LineEnd;
    qsizetype from = 0; // where the bytes not yet written on start in the buffer
    if (rewriting) {
        const QByteArrayView bytes(buffer.constData(), held);
        const LineSpan first = LineScanner(bytes).lineAt(0);
        counterLine = nextCounterLine(bytes.first(first.end));
        from = first.next;
    }
    begin(rewriting);

    std::vector<QByteArrayView> pieces{counterLine};
    LineMender mender;
    for (;;) {
        const QByteArrayView chunk(buffer.constData() + from, held - from);
        const qsizetype leftOut = mender.mend(chunk, atEnd, pieces);
        write(std::span<const QByteArrayView>(pieces));
        pieces.clear();
        if (atEnd)
            break;
        if (leftOut > 0)
            buffer[0] = '\r';
        from = 0;
        held = leftOut;
        readOn();
    }
    const QByteArrayView last[] = {record, LineEnd};
    write(std::span<const QByteArrayView>(last));
    return rewriting;
}

} // namespace

QByteArray contentsAfterSave(const QByteArray& existing, const QByteArray& record,
                             qsizetype readBufferBytes)
{
    QByteArray contents;
    qsizetype at = 0;
    const auto read = [&](char* to, qsizetype room) {
        const qsizetype got = std::min(room, existing.size() - at);
        std::copy_n(existing.constData() + at, got, to);
        at += got;
        return got;
    };
    const auto write = [&](std::span<const QByteArrayView> pieces) {
        for (const QByteArrayView piece : pieces)
            contents += piece;
    };
    contents.reserve(existing.size() + record.size() + 32);
    streamContents(
        record, std::min(readBufferBytes, existing.size() + 1), read, [](bool) {}, write);
    return contents;
}

namespace {

bool isRegularFile(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

bool isNonEmptyRegularFile(const fs::path& path)
{
    std::error_code failed;
    const bool regular = fs::is_regular_file(path, failed);
    return regular && fs::file_size(path, failed) > 0 && !failed;
}

QString openFailure(const QString& shownName, const OsPlatform::Error& error)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(shownName, reasonText(error));
}

QString createFailure(const QString& shownName, const OsPlatform::Error& error)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(shownName, reasonText(error));
}

// The temporary file fails as the step it stands for: creating a new file, or rewriting one.
[[noreturn]] void throwWriteFailure(const OsPlatform::Error& error, bool rewriting,
                                    const fs::path& temp, const QString& shownName)
{
    OsPlatform::removeFile(temp);
    if (rewriting)
        throw FileCreateError(createFailure(shownName, error));
    throw creationError(error);
}

// Writes what the save puts in the place of the statistics file to temp, flushed to the disk:
// the old file's counter line increased, its lines from line 2 on, and the record. The old file
// is read a buffer at a time and written on from the buffer, so that a save of a large file
// costs little more than the write of its bytes. Tells whether there was an old file to rewrite
// (one of zero length has no counter to go on from: it is started anew).
bool writeNewContents(const fs::path& target, const fs::path& temp, const QString& shownName,
                      const QByteArray& record, qsizetype bufferBytes)
{
    OsPlatform::FileReader reader;
    const bool exists = isRegularFile(target);
    if (exists) {
        if (const OsPlatform::Failure failure = reader.open(target))
            throw FileOpenError(openFailure(shownName, *failure));
    }
    OsPlatform::SyncedFileWriter writer;
    bool rewriting = false;
    bool created = false;
    const auto read = [&](char* to, qsizetype room) {
        qsizetype got = 0;
        if (!exists)
            return got;
        if (const OsPlatform::Failure failure = reader.read(to, room, got)) {
            if (created) {
                writer.close();
                OsPlatform::removeFile(temp);
            }
            throw FileOpenError(openFailure(shownName, *failure));
        }
        return got;
    };
    const auto begin = [&](bool oldFileThere) {
        rewriting = oldFileThere;
        if (const OsPlatform::Failure failure = writer.create(temp))
            throwWriteFailure(*failure, rewriting, temp, shownName);
        created = true;
    };
    const auto write = [&](std::span<const QByteArrayView> pieces) {
        if (const OsPlatform::Failure failure = writer.write(pieces)) {
            writer.close();
            throwWriteFailure(*failure, rewriting, temp, shownName);
        }
    };
    streamContents(record, bufferBytes, read, begin, write);
    // Closed before the replace, which some systems refuse while the file is open.
    reader.close();
    if (const OsPlatform::Failure failure = writer.finish())
        throwWriteFailure(*failure, rewriting, temp, shownName);
    return rewriting;
}

} // namespace

BusyError::BusyError()
    : SaveError(QStringLiteral("Файл статистики сейчас занят: в него записывает другой "
                               "компьютер или программа. Подождите немного и нажмите кнопку "
                               "ещё раз."))
{
}

InOutError creationError(const OsPlatform::Error& error)
{
    const Texts texts = textsOf(error.kind);
    if (texts.runtimeText)
        return InOutError(texts.code, QString::fromLatin1(texts.runtimeText));
    return InOutError(error.code, QStringLiteral("I/O error %1").arg(error.code));
}

QString reasonText(const OsPlatform::Error& error)
{
    const Texts texts = textsOf(error.kind);
    if (texts.reason)
        return QString::fromLatin1(texts.reason);
    return QStringLiteral("System error %1.").arg(error.code);
}

QString fileName(const QString& classNumber, const QString& classStream, int year)
{
    const QString fourDigits = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    return classNumber + classStream + QStringLiteral(" 0.") + fourDigits.mid(2, 2) +
           QLatin1Char('c');
}

void saveRecord(SurveyState& state, const QString& surnameBoxText, const Clock& clock,
                const SaveOptions& options)
{
    const QString name =
        fileName(state.ClassNumber, state.ClassStream, DateTime::year(clock.now()));
    state.Surname = SurveyRecord::fitToPlace(surnameBoxText);
    const QByteArray record = toWindows1251(SurveyRecord::build(state, options.reportUnrealValue));

    const fs::path folder = toPath(options.workingFolder) / toPath(FolderName);
    const fs::path target = folder / toPath(name);
    const fs::path temp = folder / toPath(name + TempSuffix);
    const QString shownName = QDir::toNativeSeparators(FolderName + QLatin1Char('/') + name);
    const auto reachPhase = [&options](SavePhase phase) {
        if (options.phaseHook)
            options.phaseHook(phase);
    };

    // Held from before the existence test until the new file is in place, so that savers on
    // every workstation take their turns and none reads a counter that another is changing.
    OsPlatform::FileLock lock;
    OsPlatform::Error error;
    const fs::path lockPath = folder / toPath(LockFileName);
    OsPlatform::FileLock::Outcome outcome = lock.lock(lockPath, 0, error);
    if (outcome == OsPlatform::FileLock::Outcome::Busy) {
        if (options.waitingForLock)
            options.waitingForLock();
        reachPhase(SavePhase::WaitingForLock);
        outcome = lock.lock(lockPath, options.lockTimeoutMs, error);
    }
    switch (outcome) {
    case OsPlatform::FileLock::Outcome::Locked:
        break;
    case OsPlatform::FileLock::Outcome::Busy:
        throw BusyError();
    case OsPlatform::FileLock::Outcome::Failed:
        // The message of the step that the save would have failed at without the lock.
        if (isNonEmptyRegularFile(target))
            throw FileCreateError(createFailure(shownName, error));
        throw creationError(error);
    }
    reachPhase(SavePhase::LockTaken);

    const bool rewriting =
        writeNewContents(target, temp, shownName, record, options.readBufferBytes);
    reachPhase(SavePhase::TempWritten);
    reachPhase(SavePhase::BeforeReplace);
    if (const OsPlatform::Failure failure = OsPlatform::replaceFile(temp, target))
        throwWriteFailure(*failure, rewriting, temp, shownName);
    reachPhase(SavePhase::Replaced);
}

} // namespace StatisticsFile
