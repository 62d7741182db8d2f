#pragma once

#include <QDir>
#include <QString>

// Where the tests leave the screenshots of what a respondent sees, to be looked at:
// $SURVEY_SCREENSHOT_DIR, or the temporary folder.
inline QString screenshotPath(const QString& fileName)
{
    const QString folder = qEnvironmentVariableIsSet("SURVEY_SCREENSHOT_DIR")
                               ? qEnvironmentVariable("SURVEY_SCREENSHOT_DIR")
                               : QDir::tempPath();
    return QDir(folder).filePath(fileName);
}
