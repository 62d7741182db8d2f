#include "storage/OsPlatform.h"

#include <algorithm>
#include <chrono>
#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace OsPlatform {
namespace {

// Waiting for a lock polls: a blocking wait cannot be given a time limit on every system. The
// pause grows so that a long save elsewhere is not hammered and a short one is not overslept.
template <typename TryLock>
FileLock::Outcome pollForLock(int timeoutMs, Error& error, TryLock tryLock)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(std::max(timeoutMs, 0));
    auto pause = milliseconds(2);
    for (;;) {
        const FileLock::Outcome outcome = tryLock(error);
        if (outcome != FileLock::Outcome::Busy)
            return outcome;
        const auto now = steady_clock::now();
        if (now >= deadline)
            return FileLock::Outcome::Busy;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, milliseconds(50));
    }
}

} // namespace

#ifdef _WIN32

Error errorFromNativeCode(int code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return {ErrorKind::FileNotFound, code};
    case ERROR_PATH_NOT_FOUND:
        return {ErrorKind::PathNotFound, code};
    case ERROR_TOO_MANY_OPEN_FILES:
        return {ErrorKind::TooManyOpenFiles, code};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return {ErrorKind::AccessDenied, code};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {ErrorKind::SharingViolation, code};
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return {ErrorKind::DiskFull, code};
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
        return {ErrorKind::DeviceError, code};
    default:
        return {ErrorKind::Other, code};
    }
}

namespace {

Error lastError()
{
    return errorFromNativeCode(static_cast<int>(GetLastError()));
}

HANDLE asHandle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

bool writeAll(HANDLE file, QByteArrayView contents)
{
    const char* data = contents.data();
    qsizetype left = contents.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(left, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

FileLock::~FileLock()
{
    unlock();
}

FileLock::Outcome FileLock::lock(const std::filesystem::path& path, int timeoutMs, Error& error)
{
    unlock();
    // Shared for reading, writing and deleting so that no other program is kept from the folder.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return Outcome::Failed;
    }
    const Outcome outcome = pollForLock(timeoutMs, error, [file](Error& e) {
        OVERLAPPED at{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return Outcome::Locked;
        const DWORD code = GetLastError();
        if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING)
            return Outcome::Busy;
        e = errorFromNativeCode(static_cast<int>(code));
        return Outcome::Failed;
    });
    if (outcome != Outcome::Locked) {
        CloseHandle(file);
        return outcome;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return outcome;
}

void FileLock::unlock() noexcept
{
    if (m_handle == -1)
        return;
    const HANDLE file = asHandle(m_handle);
    OVERLAPPED at{};
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
    m_handle = -1;
}

OwnedFile::~OwnedFile()
{
    close();
}

void OwnedFile::close() noexcept
{
    if (m_handle != -1)
        CloseHandle(asHandle(m_handle));
    m_handle = -1;
}

void OwnedFile::adopt(std::intptr_t handle) noexcept
{
    close();
    m_handle = handle;
}

Failure FileReader::open(const std::filesystem::path& path)
{
    const HANDLE file = CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    adopt(reinterpret_cast<std::intptr_t>(file));
    return std::nullopt;
}

Failure FileReader::read(char* to, qsizetype room, qsizetype& got)
{
    got = 0;
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(room, 1 << 30));
    if (!ReadFile(asHandle(m_handle), to, chunk, &read, nullptr))
        return lastError();
    got = static_cast<qsizetype>(read);
    return std::nullopt;
}

Failure SyncedFileWriter::create(const std::filesystem::path& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    adopt(reinterpret_cast<std::intptr_t>(file));
    return std::nullopt;
}

Failure SyncedFileWriter::write(std::span<const QByteArrayView> pieces)
{
    for (const QByteArrayView piece : pieces) {
        if (!writeAll(asHandle(m_handle), piece))
            return lastError();
    }
    return std::nullopt;
}

Failure SyncedFileWriter::finish()
{
    const HANDLE file = asHandle(m_handle);
    m_handle = -1;
    if (!FlushFileBuffers(file)) {
        const Error error = lastError();
        CloseHandle(file);
        return error;
    }
    if (!CloseHandle(file))
        return lastError();
    return std::nullopt;
}

Failure replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // Write-through: the call returns once the move is on the disk.
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return std::nullopt;
}

void removeFile(const std::filesystem::path& path) noexcept
{
    DeleteFileW(path.c_str());
}

bool isTerminal(Stream stream) noexcept
{
    const HANDLE handle =
        GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

#else // POSIX

Error errorFromNativeCode(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return {ErrorKind::PathNotFound, code};
    case EMFILE:
    case ENFILE:
        return {ErrorKind::TooManyOpenFiles, code};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return {ErrorKind::AccessDenied, code};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {ErrorKind::DiskFull, code};
    case EIO:
        return {ErrorKind::DeviceError, code};
    default:
        return {ErrorKind::Other, code};
    }
}

namespace {

Error lastError()
{
    return errorFromNativeCode(errno);
}

int openRetrying(const char* path, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Closes and keeps the errno of the failure that came before.
void closeQuietly(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

// Gathered writes of up to IOV_MAX pieces at a time; a short write goes on inside its piece.
bool writeAll(int fd, std::span<const QByteArrayView> pieces)
{
#ifdef IOV_MAX
    constexpr std::size_t MaxPieces = IOV_MAX;
#else
    constexpr std::size_t MaxPieces = 16;
#endif
    std::size_t next = 0;     // the first piece not wholly written
    qsizetype doneInNext = 0; // of which so many bytes are written
    iovec vectors[MaxPieces];
    while (next < pieces.size()) {
        std::size_t count = 0;
        for (std::size_t i = next; i < pieces.size() && count < MaxPieces; ++i) {
            const qsizetype skip = i == next ? doneInNext : 0;
            if (pieces[i].size() == skip)
                continue;
            vectors[count].iov_base = const_cast<char*>(pieces[i].data() + skip);
            vectors[count].iov_len = static_cast<size_t>(pieces[i].size() - skip);
            ++count;
        }
        if (count == 0)
            break;
        ssize_t written = ::writev(fd, vectors, static_cast<int>(count));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        while (next < pieces.size() && written >= pieces[next].size() - doneInNext) {
            written -= pieces[next].size() - doneInNext;
            doneInNext = 0;
            ++next;
        }
        doneInNext += written;
    }
    return true;
}

bool syncRetrying(int fd)
{
    int result;
    do {
        result = ::fsync(fd);
    } while (result < 0 && errno == EINTR);
    return result == 0;
}

// One byte at offset 0, the same region on every system.
struct flock wholeLockRegion(int type)
{
    struct flock region
    {
    };
    region.l_type = static_cast<short>(type);
    region.l_whence = SEEK_SET;
    region.l_start = 0;
    region.l_len = 1;
    return region;
}

// The lock file is shared by every user of a lab's folder (one group, a setgid folder): it is
// created readable and writable by its owner and group whatever the umask, or the others could
// not open it for writing and so could not lock it. An existing file keeps the mode it was given.
constexpr mode_t LockFileMode = 0664;

int openLockFile(const char* path)
{
    // The lock file is there but for the first save into a folder: it is opened first.
    for (;;) {
        const int existing = openRetrying(path, O_RDWR);
        if (existing >= 0 || errno != ENOENT)
            return existing;
        const int created = openRetrying(path, O_RDWR | O_CREAT | O_EXCL, LockFileMode);
        if (created >= 0) {
            // A file system without Unix modes (some network shares) refuses: it locks anyway.
            static_cast<void>(::fchmod(created, LockFileMode));
            return created;
        }
        if (errno != EEXIST)
            return -1;
        // Created by another saver between the two opens: open it again.
    }
}

// Open-file-description locks belong to the open file, not to the process: a second open of the
// lock file elsewhere in the process cannot drop them. Plain record locks where they are missing.
#ifdef F_OFD_SETLK
constexpr int SetLockCommand = F_OFD_SETLK;
#else
constexpr int SetLockCommand = F_SETLK;
#endif

} // namespace

FileLock::~FileLock()
{
    unlock();
}

FileLock::Outcome FileLock::lock(const std::filesystem::path& path, int timeoutMs, Error& error)
{
    unlock();
    const int fd = openLockFile(path.c_str());
    if (fd < 0) {
        error = lastError();
        return Outcome::Failed;
    }
    const Outcome outcome = pollForLock(timeoutMs, error, [fd](Error& e) {
        struct flock region = wholeLockRegion(F_WRLCK);
        if (::fcntl(fd, SetLockCommand, &region) == 0)
            return Outcome::Locked;
        if (errno == EAGAIN || errno == EACCES || errno == EINTR)
            return Outcome::Busy;
        e = lastError();
        return Outcome::Failed;
    });
    if (outcome != Outcome::Locked) {
        closeQuietly(fd);
        return outcome;
    }
    m_handle = fd;
    return outcome;
}

void FileLock::unlock() noexcept
{
    if (m_handle == -1)
        return;
    const int fd = static_cast<int>(m_handle);
    struct flock region = wholeLockRegion(F_UNLCK);
    ::fcntl(fd, SetLockCommand, &region);
    ::close(fd);
    m_handle = -1;
}

OwnedFile::~OwnedFile()
{
    close();
}

void OwnedFile::close() noexcept
{
    if (m_handle != -1)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
}

void OwnedFile::adopt(std::intptr_t handle) noexcept
{
    close();
    m_handle = handle;
}

Failure FileReader::open(const std::filesystem::path& path)
{
    const int fd = openRetrying(path.c_str(), O_RDONLY);
    if (fd < 0)
        return lastError();
    adopt(fd);
    return std::nullopt;
}

Failure FileReader::read(char* to, qsizetype room, qsizetype& got)
{
    got = 0;
    for (;;) {
        const ssize_t read = ::read(static_cast<int>(m_handle), to, static_cast<size_t>(room));
        if (read >= 0) {
            got = static_cast<qsizetype>(read);
            return std::nullopt;
        }
        if (errno != EINTR)
            return lastError();
    }
}

Failure SyncedFileWriter::create(const std::filesystem::path& path)
{
    const int fd = openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0)
        return lastError();
    adopt(fd);
    return std::nullopt;
}

Failure SyncedFileWriter::write(std::span<const QByteArrayView> pieces)
{
    if (!writeAll(static_cast<int>(m_handle), pieces))
        return lastError();
    return std::nullopt;
}

Failure SyncedFileWriter::finish()
{
    const int fd = static_cast<int>(m_handle);
    m_handle = -1;
    if (!syncRetrying(fd)) {
        const Error error = lastError();
        ::close(fd);
        return error;
    }
    // A network file system may report a failed write only here.
    if (::close(fd) != 0 && errno != EINTR)
        return lastError();
    return std::nullopt;
}

Failure replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    // The new name is in place; flushing the folder makes it survive a power cut. Its failure
    // cannot undo the replace, so it is not reported.
    const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
    const int fd = openRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        syncRetrying(fd);
        ::close(fd);
    }
    return std::nullopt;
}

void removeFile(const std::filesystem::path& path) noexcept
{
    ::unlink(path.c_str());
}

bool isTerminal(Stream stream) noexcept
{
    return ::isatty(stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

#endif

} // namespace OsPlatform
