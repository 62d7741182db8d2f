#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

// The few file operations of the statistics file that std::filesystem and Qt do not give in the
// form it needs: a lock that the operating system releases when its holder dies, a write that has
// reached the disk before it is trusted, an atomic replace, and error codes that every system
// classifies the same way. The only place with system calls.
namespace OsPlatform {

enum class ErrorKind {
    FileNotFound,     // the file itself is missing (Windows only: a missing file on POSIX is
                      // PathNotFound, as a missing folder is)
    PathNotFound,     // a folder on the way is missing or is not a folder
    TooManyOpenFiles, // of the process or of the system
    AccessDenied,     // also a read-only file system, a folder where a file should be
    DiskFull,         // also a disk quota
    SharingViolation, // Windows: another program holds the file open or locked
    DeviceError,      // the medium failed
    Other,
};

struct Error
{
    ErrorKind kind = ErrorKind::Other;
    int code = 0; // errno on POSIX, GetLastError() on Windows
};

// Classifies a native error code: errno on POSIX, a GetLastError() value on Windows.
Error errorFromNativeCode(int code);

// What a file operation gives: nothing on success, the error otherwise.
using Failure = std::optional<Error>;

// An exclusive lock on a file that is never deleted, so that every process locks the same file:
// fcntl on POSIX (open-file-description locks where the system has them), LockFileEx on Windows.
// The system releases it when the holder closes the file or dies; it is never broken by age.
class FileLock
{
public:
    enum class Outcome { Locked, Busy, Failed };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens the lock file (creating it when it is missing) and waits up to timeoutMs for the
    // lock. Busy: another holder kept it all that time. Failed: the file could not be opened or
    // locked; error tells why.
    Outcome lock(const std::filesystem::path& path, int timeoutMs, Error& error);
    void unlock() noexcept;

private:
    std::intptr_t m_handle = -1; // a file descriptor, or a HANDLE on Windows
};

// An open file of the system's, closed when its owner is destroyed.
class OwnedFile
{
public:
    OwnedFile() = default;
    ~OwnedFile();
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;

    // Closes the file as it stands (a written one unflushed); nothing when it is not open.
    void close() noexcept;

protected:
    // Takes the file opened, closing the one held before.
    void adopt(std::intptr_t handle) noexcept;
    std::intptr_t m_handle = -1; // a file descriptor, or a HANDLE on Windows
};

// A file read front to back, a buffer at a time.
class FileReader : public OwnedFile
{
public:
    Failure open(const std::filesystem::path& path);
    // Reads up to room bytes into to; got is 0 at the end of the file.
    Failure read(char* to, qsizetype room, qsizetype& got);
};

// A file created (or truncated) and written a piece at a time. finish() flushes it to the disk
// and closes it; a writer destroyed unfinished closes the file as it stands.
class SyncedFileWriter : public OwnedFile
{
public:
    Failure create(const std::filesystem::path& path);
    // All of the pieces, one after the other, in as few system calls as the system allows.
    Failure write(std::span<const QByteArrayView> pieces);
    Failure finish();
};

// Puts from in the place of to in one step: a reader sees the old file or the new one, never a
// mixture. The folder entry is flushed to the disk where the system allows it.
Failure replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Best effort: a file that cannot be removed is left.
void removeFile(const std::filesystem::path& path) noexcept;

// The process's standard streams, for the command-line tools.
enum class Stream { Output, Error };

// Whether the stream goes to a terminal (a console on Windows) rather than a file or a pipe.
bool isTerminal(Stream stream) noexcept;

} // namespace OsPlatform
