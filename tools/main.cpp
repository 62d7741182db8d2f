#include "storage/OsPlatform.h"
#include "tools/Tool.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) ||
        !err.open(stderr, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return SurveyData::UsageError;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status =
        SurveyData::run(arguments, out, err, OsPlatform::isTerminal(OsPlatform::Stream::Output),
                        OsPlatform::isTerminal(OsPlatform::Stream::Error));
    out.flush();
    err.flush();
    return status;
}
