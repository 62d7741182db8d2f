#include "storage/CompoundFile.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr char Signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr qsizetype SignatureSize = 8;
constexpr qsizetype HeaderSize = 512;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int HeaderFatEntries = 109;
constexpr qsizetype DirectoryEntrySize = 128;
constexpr qsizetype MiniSectorSize = 64;
constexpr quint32 MiniStreamCutoff = 4096;
constexpr quint8 StreamObject = 2;
constexpr quint8 RootStorageObject = 5;

quint16 read16(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 read32(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint64 read64(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint64>(data.constData() + at);
}

struct DirectoryEntry
{
    QString name;
    quint8 type = 0;
    quint32 left = NoStream;
    quint32 right = NoStream;
    quint32 child = NoStream;
    quint32 start = EndOfChain;
    quint64 size = 0;
};

// Reads the units of one chain through its allocation table. size is the number of bytes the
// chain must deliver, or nullopt to read the whole chain. Either way the chain has to end with
// its end mark right after its last unit; a chain through an unknown unit, beyond the data,
// through a unit it visited before (a cycle) or ending early fails. With inPlace, a chain whose
// units follow one another in data is not copied: out then refers to data's bytes.
bool readChain(const QByteArray& data, qsizetype dataOffset, qsizetype unitSize,
               const std::vector<quint32>& table, quint32 start, std::optional<quint64> size,
               QByteArray* out, bool inPlace = false)
{
    out->clear();
    if (size && *size > quint64(data.size()))
        return false;
    if (size == quint64(0))
        return true; // nothing to read, whatever the start says
    // The whole chain is checked before a byte of it is taken.
    struct Piece
    {
        qsizetype offset;
        qsizetype length;
    };
    std::vector<Piece> pieces;
    std::vector<bool> visited(table.size(), false);
    quint64 delivered = 0;
    bool adjoining = true;
    quint32 current = start;
    while (size ? delivered < *size : current != EndOfChain) {
        if (current >= table.size() || visited[current])
            return false;
        visited[current] = true;
        const qsizetype offset = dataOffset + qsizetype(current) * unitSize;
        const qsizetype take =
            size ? qsizetype(std::min<quint64>(unitSize, *size - delivered)) : unitSize;
        if (offset < 0 || offset > data.size() - take)
            return false;
        adjoining = adjoining && (pieces.empty() || pieces.back().offset + unitSize == offset);
        pieces.push_back({offset, take});
        delivered += quint64(take);
        current = table[current];
    }
    if (current != EndOfChain)
        return false;
    if (pieces.empty())
        return true;
    if (inPlace && adjoining) {
        *out =
            QByteArray::fromRawData(data.constData() + pieces.front().offset, qsizetype(delivered));
        return true;
    }
    out->reserve(qsizetype(delivered)); // no longer than the data, checked above
    for (const Piece& piece : pieces)
        out->append(data.constData() + piece.offset, piece.length);
    return true;
}

std::vector<quint32> tableEntries(const QByteArray& bytes)
{
    std::vector<quint32> entries(std::size_t(bytes.size() / 4));
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = read32(bytes, qsizetype(i) * 4);
    return entries;
}

class Container
{
public:
    Container(const QByteArray& file, bool inPlace) : m_file(file), m_inPlace(inPlace) {}

    bool open() { return readHeader() && readFat() && readDirectory(); }
    CompoundStream find(const QStringList& names) const;

private:
    bool readHeader();
    bool readFat();
    bool readDirectory();
    bool readSectors(quint32 start, std::optional<quint64> size, QByteArray* out) const
    {
        return readChain(m_file, m_sectorSize, m_sectorSize, m_fat, start, size, out);
    }
    bool readStream(const DirectoryEntry& entry, QByteArray* out) const;

    const QByteArray& m_file;
    bool m_inPlace = false; // the stream found may refer to m_file's bytes
    qsizetype m_sectorSize = HeaderSize;
    bool m_version3 = true;
    quint32 m_fatSectors = 0;
    quint32 m_directoryStart = EndOfChain;
    quint32 m_miniFatStart = EndOfChain;
    quint32 m_difatStart = EndOfChain;
    std::vector<quint32> m_fat;
    std::vector<DirectoryEntry> m_entries;
};

bool Container::readHeader()
{
    if (m_file.size() < HeaderSize || read16(m_file, 0x1C) != 0xFFFE)
        return false;
    const quint16 major = read16(m_file, 0x1A);
    const quint16 shift = read16(m_file, 0x1E);
    if (!((major == 3 && shift == 9) || (major == 4 && shift == 12)))
        return false;
    m_version3 = major == 3;
    m_sectorSize = qsizetype(1) << shift;
    if (m_file.size() < m_sectorSize || read16(m_file, 0x20) != 6 ||
        read32(m_file, 0x38) != MiniStreamCutoff)
        return false;
    m_fatSectors = read32(m_file, 0x2C);
    m_directoryStart = read32(m_file, 0x30);
    m_miniFatStart = read32(m_file, 0x3C);
    m_difatStart = read32(m_file, 0x44);
    return true;
}

bool Container::readFat()
{
    // Every FAT sector is a whole sector of the file, so their count is bounded by the file.
    const qsizetype sectorsInFile = m_file.size() / m_sectorSize - 1;
    if (m_fatSectors == 0 || m_fatSectors > quint64(sectorsInFile))
        return false;
    std::vector<quint32> fatSectors;
    for (int i = 0; i < HeaderFatEntries && fatSectors.size() < m_fatSectors; ++i)
        fatSectors.push_back(read32(m_file, 0x4C + 4 * i));
    // The rest are listed in the DIFAT sectors, each ending with the number of the next one.
    const qsizetype perDifatSector = m_sectorSize / 4 - 1;
    quint32 difat = m_difatStart;
    qsizetype difatSeen = 0;
    while (fatSectors.size() < m_fatSectors) {
        if (difat >= quint64(sectorsInFile) || ++difatSeen > sectorsInFile)
            return false;
        const qsizetype offset = (qsizetype(difat) + 1) * m_sectorSize;
        for (qsizetype j = 0; j < perDifatSector && fatSectors.size() < m_fatSectors; ++j)
            fatSectors.push_back(read32(m_file, offset + 4 * j));
        difat = read32(m_file, offset + 4 * perDifatSector);
    }
    m_fat.reserve(std::size_t(m_fatSectors) * std::size_t(m_sectorSize / 4));
    for (const quint32 sector : fatSectors) {
        if (sector >= quint64(sectorsInFile))
            return false;
        const qsizetype offset = (qsizetype(sector) + 1) * m_sectorSize;
        for (qsizetype j = 0; j < m_sectorSize / 4; ++j)
            m_fat.push_back(read32(m_file, offset + 4 * j));
    }
    return true;
}

bool Container::readDirectory()
{
    QByteArray directory;
    if (!readSectors(m_directoryStart, std::nullopt, &directory) ||
        directory.size() < DirectoryEntrySize)
        return false;
    m_entries.resize(std::size_t(directory.size() / DirectoryEntrySize));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const qsizetype at = qsizetype(i) * DirectoryEntrySize;
        DirectoryEntry& entry = m_entries[i];
        entry.type = quint8(directory.at(at + 66));
        if (entry.type == 0)
            continue; // an unused slot
        const quint16 nameBytes = read16(directory, at + 64);
        if (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0)
            return false;
        for (qsizetype c = 0; c < nameBytes / 2 - 1; ++c)
            entry.name.append(QChar(read16(directory, at + 2 * c)));
        entry.left = read32(directory, at + 68);
        entry.right = read32(directory, at + 72);
        entry.child = read32(directory, at + 76);
        entry.start = read32(directory, at + 116);
        // Version 3 writers may leave garbage in the high half of the size.
        entry.size = m_version3 ? read32(directory, at + 120) : read64(directory, at + 120);
    }
    return m_entries.front().type == RootStorageObject;
}

bool Container::readStream(const DirectoryEntry& entry, QByteArray* out) const
{
    if (entry.size >= MiniStreamCutoff)
        return readChain(m_file, m_sectorSize, m_sectorSize, m_fat, entry.start, entry.size, out,
                         m_inPlace);
    // Small streams live in 64-byte pieces of the mini stream, which is the root entry's data.
    const DirectoryEntry& root = m_entries.front();
    QByteArray miniStream;
    QByteArray miniFatBytes;
    if (!readSectors(root.start, root.size, &miniStream) ||
        !readSectors(m_miniFatStart, std::nullopt, &miniFatBytes))
        return false;
    return readChain(miniStream, 0, MiniSectorSize, tableEntries(miniFatBytes), entry.start,
                     entry.size, out);
}

CompoundStream Container::find(const QStringList& names) const
{
    // Walk the root storage's tree of children once; a link out of range, to an unused slot or
    // back to a visited entry makes the directory unusable.
    std::vector<int> found(std::size_t(names.size()), -1);
    std::vector<bool> visited(m_entries.size(), false);
    std::vector<quint32> pending{m_entries.front().child};
    while (!pending.empty()) {
        const quint32 id = pending.back();
        pending.pop_back();
        if (id == NoStream)
            continue;
        if (id >= m_entries.size() || visited[id] || m_entries[id].type == 0)
            return {CompoundFileStatus::Damaged, {}, {}};
        visited[id] = true;
        const DirectoryEntry& entry = m_entries[id];
        for (qsizetype n = 0; n < names.size(); ++n) {
            if (entry.type == StreamObject && found[std::size_t(n)] < 0 &&
                entry.name.compare(names[n], Qt::CaseInsensitive) == 0)
                found[std::size_t(n)] = int(id);
        }
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    for (const int id : found) {
        if (id < 0)
            continue;
        CompoundStream stream{CompoundFileStatus::Ok, m_entries[std::size_t(id)].name, {}};
        if (!readStream(m_entries[std::size_t(id)], &stream.data))
            return {CompoundFileStatus::Damaged, {}, {}};
        return stream;
    }
    return {CompoundFileStatus::StreamMissing, {}, {}};
}

} // namespace

bool looksLikeCompoundFile(const QByteArray& file)
{
    const qsizetype length = std::min(file.size(), SignatureSize);
    return length > 0 && std::memcmp(file.constData(), Signature, std::size_t(length)) == 0;
}

namespace {

CompoundStream readStreamOf(const QByteArray& file, const QStringList& names, bool inPlace)
{
    if (file.size() < SignatureSize || !looksLikeCompoundFile(file))
        return {looksLikeCompoundFile(file) ? CompoundFileStatus::Damaged
                                            : CompoundFileStatus::NotCompound,
                {},
                {}};
    Container container(file, inPlace);
    if (!container.open())
        return {CompoundFileStatus::Damaged, {}, {}};
    return container.find(names);
}

} // namespace

CompoundStream readCompoundStream(const QByteArray& file, const QStringList& names)
{
    return readStreamOf(file, names, false);
}

CompoundStream readCompoundStreamInPlace(const QByteArray& file, const QStringList& names)
{
    return readStreamOf(file, names, true);
}
