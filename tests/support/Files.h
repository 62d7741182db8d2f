#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Whole files as bytes, for tests that check what lands on the disk byte for byte.
namespace files {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A temporary working folder with its STAT folder.
struct WorkingFolder
{
    QTemporaryDir dir;

    WorkingFolder() { QDir(dir.path()).mkdir(QStringLiteral("STAT")); }
    QString path() const { return dir.path(); }
    QString stat() const { return dir.path() + QStringLiteral("/STAT"); }
    QString file(const QString& name) const { return stat() + QLatin1Char('/') + name; }
    QStringList files() const { return QDir(stat()).entryList(QDir::Files, QDir::Name); }
};

} // namespace files
