#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The compound-file container (structured storage) in which legacy Excel workbooks keep their
// workbook stream. Only reading one stream of the root storage is needed. The file is untrusted:
// every sector number, chain, size and directory link is checked before use, and a container
// that lies about any of them is reported as damaged instead of being followed.
enum class CompoundFileStatus {
    Ok,
    NotCompound,   // no container signature: some other kind of file
    Damaged,       // the signature is there, but the container cannot be walked
    StreamMissing, // a sound container without any of the streams asked for
};

struct CompoundStream
{
    CompoundFileStatus status = CompoundFileStatus::NotCompound;
    QString name;    // the name of the stream found, as the directory spells it
    QByteArray data; // exactly the stream's size
};

// The first stream of the root storage whose name equals one of names (compared without case,
// tried in the order given) in the container held by file.
CompoundStream readCompoundStream(const QByteArray& file, const QStringList& names);

// The same, checked the same way, but a stream whose sectors follow one another in file (as a
// workbook written in one go keeps it) is not copied: its data refers to file's bytes
// (QByteArray::fromRawData), so file must outlive it, unchanged. For a large workbook that saves
// holding its bytes twice.
CompoundStream readCompoundStreamInPlace(const QByteArray& file, const QStringList& names);

// True when file starts like a compound file (or is a prefix of its signature): a file cut short
// or overwritten at its start is then a damaged workbook rather than some other file.
bool looksLikeCompoundFile(const QByteArray& file);
