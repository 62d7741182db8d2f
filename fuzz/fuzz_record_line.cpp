// libFuzzer target: the statistics reader's line parser, on any bytes as a record line.
#include "fuzz/FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString problem =
        FuzzEntries::recordLine(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "record line: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
