// record-dictionary FILE: rewrites the generated tables of the record dictionary
// (docs/record-layout.md) from the code. A tool of the developers, not shipped.
#include "tools/RecordDictionary.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: record-dictionary docs/record-layout.md\n", stderr);
        return 2;
    }
    try {
        bool changed = false;
        const QString error = RecordDictionary::updateDocument(arguments.at(1), &changed);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "record-dictionary: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s %s\n", qPrintable(arguments.at(1)), changed ? "updated" : "unchanged");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "record-dictionary: %s\n", e.what());
        return 1;
    }
    return 0;
}
