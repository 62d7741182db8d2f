// libFuzzer target: the roster reader as a whole, on any bytes as a workbook file.
#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Each input goes to a file in a RAM folder (FreeXL opens files by name), and so does the
// reader's private copy of it: the disk is never touched at the rate of the fuzzer.
const QTemporaryDir& scratch()
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/survey-fuzz-XXXXXX"));
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (QDir(QStringLiteral("/dev/shm")).exists())
        qputenv("TMPDIR", "/dev/shm");
    if (!scratch().isValid()) {
        std::fprintf(stderr, "no scratch folder in %s\n", qPrintable(QDir::tempPath()));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString problem = FuzzEntries::rosterWorkbook(
        QByteArrayView(data, static_cast<qsizetype>(size)), scratch().path());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "roster reader: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
