#pragma once

#include "state/Clock.h"
#include "state/SurveyError.h"
#include "state/SurveyState.h"
#include "storage/OsPlatform.h"

#include <QString>
#include <functional>
#include <limits>

// The statistics file of a class: in the folder STAT of the working folder, a counter line and
// then one survey record per line, in Windows-1251 with CR LF after every line. Analysts' tools
// read these files; within the program nothing reads them again except the counter line.
namespace StatisticsFile {

// Points inside a save where a test can stop the saver (to kill it, or to hold the lock).
enum class SavePhase {
    WaitingForLock, // another saver holds the lock; the wait for it begins (only then)
    LockTaken,      // the lock is held; nothing has been read yet
    TempWritten,    // the new contents are on the disk under the temporary name
    BeforeReplace,  // the next step puts the temporary file in the place of the statistics file
    Replaced,       // the statistics file is the new one; the lock is still held
};

struct SaveOptions
{
    QString workingFolder;                   // the folder that holds STAT; empty: the current one
    std::function<void()> reportUnrealValue; // "Не реальное значение!", once per such number
    int lockTimeoutMs = 15000;               // how long to wait for another saver
    // Called once when another saver holds the lock, before the wait for it begins: the window
    // shows that it is busy instead of looking frozen.
    std::function<void()> waitingForLock;
    std::function<void(SavePhase)> phaseHook; // tests only
    // The old file is read on through a buffer of this size; tests make it tiny so that line
    // ends fall across reads.
    qsizetype readBufferBytes = 1 << 20;
};

// A save that failed. Nothing was written: a file that was there is byte for byte as before,
// and pressing the button again can succeed.
class SaveError : public SurveyError
{
public:
    using SurveyError::SurveyError;
};

// Creating a new file failed: the runtime's input/output error, "Invalid filename" (3),
// "File not found" (2), "Too many open files" (4), "File access denied" (5), "Disk full" (101),
// otherwise "I/O error %d" with the system's code.
class InOutError : public SaveError
{
public:
    InOutError(int code, const QString& text) : SaveError(text), m_code(code) {}
    int code() const noexcept { return m_code; }

private:
    int m_code;
};

// Reading the existing file failed: Cannot open file "%s". %s
class FileOpenError : public SaveError
{
public:
    using SaveError::SaveError;
};

// Rewriting the existing file failed: Cannot create file "%s". %s
class FileCreateError : public SaveError
{
public:
    using SaveError::SaveError;
};

// Line 1 of the existing file is not an integer: '%s' is not a valid integer value
class InvalidCounterError : public SaveError
{
public:
    using SaveError::SaveError;
};

// Another saver kept the statistics folder locked for the whole of lockTimeoutMs.
class BusyError : public SaveError
{
public:
    BusyError();
};

// The class number, the stream letter (nothing when empty), one blank, "0", ".", the last two
// digits of the four-digit year and "c": "7Б 0.17c", "7Б 0.09c", "7 0.17c".
QString fileName(const QString& classNumber, const QString& classStream, int year);

// The whole save of the finish screen's exit button. Sets state.Surname to surnameBoxText fitted
// to 12 characters, builds the record and appends it: a missing or empty file is created with
// the counter 1, an existing one rewritten with its counter increased by one and its lines kept
// byte for byte. Saves into one folder are serialized by a lock in STAT and replace the file in
// one step, so a saver that dies at any moment leaves the old file whole. Throws a SaveError
// (or SurveyRecord::RecordError) with the text for the error message box; shows nothing itself.
void saveRecord(SurveyState& state, const QString& surnameBoxText, const Clock& clock,
                const SaveOptions& options);

// What the save writes, given the bytes of the file before it (empty for a missing or empty
// file) and the record line without its line end: "1" and the record for an empty file, else
// every line kept byte for byte and ended by CR LF, the counter of line 1 increased by one and
// the record added last. Raises InvalidCounterError when line 1 is not a counter. Touches no
// file, so the parse of untrusted contents can be tried on its own: it runs the save's own
// code, which reads the old file through a buffer of readBufferBytes (by default all of it).
QByteArray contentsAfterSave(const QByteArray& existing, const QByteArray& record,
                             qsizetype readBufferBytes = std::numeric_limits<qsizetype>::max());

// The error that creating a file gets for a system error, and the reason that the messages of
// reading and rewriting quote: the Windows system text, the same on every system.
InOutError creationError(const OsPlatform::Error& error);
QString reasonText(const OsPlatform::Error& error);

} // namespace StatisticsFile
