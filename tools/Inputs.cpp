#include "tools/Inputs.h"

#include "storage/StatisticsReader.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace SurveyData {
namespace {

QStringList statisticsFilesIn(const QDir& folder)
{
    QStringList found;
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (StatisticsReader::parseFileName(entry.fileName()))
            found.append(entry.absoluteFilePath());
    return found;
}

} // namespace

Inputs collectInputs(const QStringList& paths)
{
    Inputs inputs;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) {
            inputs.errors.append(QStringLiteral("«%1»: нет такого файла или папки").arg(path));
            continue;
        }
        if (!info.isDir()) {
            inputs.files.append(info.absoluteFilePath());
            continue;
        }
        QDir folder(info.absoluteFilePath());
        if (folder.exists(QStringLiteral("STAT")) &&
            QFileInfo(folder.filePath(QStringLiteral("STAT"))).isDir())
            folder.cd(QStringLiteral("STAT"));
        const QStringList found = statisticsFilesIn(folder);
        if (found.isEmpty())
            inputs.errors.append(QStringLiteral("«%1»: в папке нет файлов статистики").arg(path));
        inputs.files.append(found);
    }
    // Files in name order, each once, however the paths named them.
    std::sort(inputs.files.begin(), inputs.files.end(), [](const QString& a, const QString& b) {
        const QString nameA = QFileInfo(a).fileName();
        const QString nameB = QFileInfo(b).fileName();
        return nameA != nameB ? nameA < nameB : a < b;
    });
    inputs.files.erase(std::unique(inputs.files.begin(), inputs.files.end()), inputs.files.end());
    return inputs;
}

} // namespace SurveyData
