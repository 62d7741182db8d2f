// libFuzzer target: the counter and line parse of an existing statistics file, on any bytes.
#include "fuzz/FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString problem =
        FuzzEntries::statisticsFile(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "statistics file: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
