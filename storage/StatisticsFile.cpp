#include "storage/StatisticsFile.h"

#include "storage/StatisticsReader.h"
#include "storage/SurveyRecord.h"
#include "storage/Windows1251.h"

#include <QByteArrayView>
#include <QDir>
#include <filesystem>
#include <limits>
#include <optional>

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

// The old file with its counter increased, every line kept as its bytes and ended by CR LF, and
// the record as the last line. Runs of lines that end in CR LF already are copied as they stand.
QByteArray appended(const QByteArray& old, const QByteArray& record)
{
    const QByteArrayView bytes(old);
    LineScanner lines(bytes);
    const LineSpan first = lines.lineAt(0);
    const QByteArrayView counterLine = bytes.first(first.end);
    const std::optional<qint64> counter = parseCounter(counterLine);
    if (!counter)
        throw InvalidCounterError(
            QStringLiteral("'%1' is not a valid integer value").arg(quotedLine(counterLine)));

    QByteArray contents;
    contents.reserve(old.size() + record.size() + 32);
    contents += QByteArray::number(*counter + 1);
    contents += LineEnd;
    qsizetype copied = first.next; // the bytes before this are in contents
    for (qsizetype at = first.next; at < old.size();) {
        const LineSpan line = lines.lineAt(at);
        if (line.next != line.end + 2) { // a lone CR or LF, or the end of the file
            contents += bytes.sliced(copied, line.end - copied);
            contents += LineEnd;
            copied = line.next;
        }
        at = line.next;
    }
    contents += bytes.sliced(copied);
    contents += record;
    contents += LineEnd;
    return contents;
}

} // namespace

QByteArray contentsAfterSave(const QByteArray& existing, const QByteArray& record)
{
    if (existing.isEmpty())
        return QByteArrayLiteral("1") + LineEnd + record + LineEnd;
    return appended(existing, record);
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

    // A file of zero length has no counter to go on from: it is started anew.
    QByteArray old;
    if (isRegularFile(target)) {
        if (const OsPlatform::Failure failure = OsPlatform::readFile(target, old))
            throw FileOpenError(openFailure(shownName, *failure));
    }
    const bool rewriting = !old.isEmpty();
    const QByteArray contents = contentsAfterSave(old, record);

    if (const OsPlatform::Failure failure = OsPlatform::writeFileSynced(temp, contents))
        throwWriteFailure(*failure, rewriting, temp, shownName);
    reachPhase(SavePhase::TempWritten);
    reachPhase(SavePhase::BeforeReplace);
    if (const OsPlatform::Failure failure = OsPlatform::replaceFile(temp, target))
        throwWriteFailure(*failure, rewriting, temp, shownName);
    reachPhase(SavePhase::Replaced);
}

} // namespace StatisticsFile
