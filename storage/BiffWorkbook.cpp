#include "storage/BiffWorkbook.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <optional>

namespace {

constexpr quint16 BofRecord = 0x0809;
constexpr quint16 EofRecord = 0x000A;
constexpr quint16 FormulaRecord = 0x0006;
constexpr quint16 FilePassRecord = 0x002F;
constexpr quint16 Window1Record = 0x003D;
constexpr quint16 CodePageRecord = 0x0042;
constexpr quint16 BoundSheetRecord = 0x0085;
constexpr quint16 DimensionsRecord = 0x0200;
constexpr quint16 LabelRecord = 0x0204;
constexpr quint16 RichStringRecord = 0x00D6;
constexpr quint16 BoolErrRecord = 0x0205;
constexpr quint16 OldBofRecords[] = {0x0009, 0x0209, 0x0409};
constexpr quint16 GlobalsSubstream = 0x0005;
constexpr qsizetype RecordHeaderSize = 4;
constexpr quint16 MaxRecordLength = 8224;
constexpr quint32 MaxRows = 65536;
constexpr quint32 MaxColumns = 256;

struct Record
{
    quint16 type = 0;
    qsizetype data = 0; // offset of the record's data in the stream
    quint16 length = 0;
};

class RecordReader
{
public:
    RecordReader(const QByteArray& stream, qsizetype at) : m_stream(stream), m_at(at) {}

    // The next record, or false at the end of the stream or at a record that does not fit.
    bool next(Record* record)
    {
        if (m_at < 0 || m_at > m_stream.size() - RecordHeaderSize)
            return false;
        record->type = u16(m_at);
        record->length = u16(m_at + 2);
        record->data = m_at + RecordHeaderSize;
        if (record->length > MaxRecordLength || record->length > m_stream.size() - record->data)
            return false;
        m_at = record->data + record->length;
        return true;
    }

    quint16 u16(qsizetype at) const
    {
        return qFromLittleEndian<quint16>(m_stream.constData() + at);
    }
    quint32 u32(qsizetype at) const
    {
        return qFromLittleEndian<quint32>(m_stream.constData() + at);
    }
    quint8 u8(qsizetype at) const { return quint8(m_stream.at(at)); }

private:
    const QByteArray& m_stream;
    qsizetype m_at;
};

BiffSheetType sheetType(quint8 dt)
{
    switch (dt) {
    case 0:
        return BiffSheetType::Worksheet;
    case 1:
        return BiffSheetType::MacroSheet;
    case 2:
        return BiffSheetType::Chart;
    case 6:
        return BiffSheetType::Module;
    default:
        return BiffSheetType::Other;
    }
}

// BIFF5 keeps 8-bit texts in the workbook's code page. Where the platform lacks that code page
// the name stays Latin-1; the caller then matches sheets by position instead of by name.
QString decodeCodePage(const QByteArray& bytes, quint16 codePage)
{
    for (const QString& name :
         {QStringLiteral("windows-%1").arg(codePage), QStringLiteral("cp%1").arg(codePage)}) {
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return QString::fromLatin1(bytes);
}

struct PendingSheet
{
    BiffSheet sheet;
    quint32 offset = 0;
    QByteArray rawName; // BIFF5: still in the code page
};

bool readBoundSheet(const RecordReader& in, const Record& r, int version, PendingSheet* out)
{
    if (r.length < 8 - (version == 5 ? 1 : 0))
        return false;
    out->offset = in.u32(r.data);
    out->sheet.type = sheetType(in.u8(r.data + 5));
    const qsizetype count = in.u8(r.data + 6);
    if (version == 5) {
        if (count > r.length - 7)
            return false;
        for (qsizetype i = 0; i < count; ++i)
            out->rawName.append(char(in.u8(r.data + 7 + i)));
        return true;
    }
    const bool wide = (in.u8(r.data + 7) & 0x01) != 0;
    if (count * (wide ? 2 : 1) > r.length - 8)
        return false;
    for (qsizetype i = 0; i < count; ++i)
        out->sheet.name.append(QChar(wide ? in.u16(r.data + 8 + 2 * i) : in.u8(r.data + 8 + i)));
    return true;
}

bool readDimensions(const RecordReader& in, const Record& r, int version, BiffDimensions* out)
{
    if (version == 8) {
        if (r.length < 12)
            return false;
        *out = {in.u32(r.data), in.u32(r.data + 4), in.u16(r.data + 8), in.u16(r.data + 10)};
    } else {
        if (r.length < 8)
            return false;
        *out = {in.u16(r.data), in.u16(r.data + 2), in.u16(r.data + 4), in.u16(r.data + 6)};
    }
    return out->firstRow <= out->endRow && out->endRow <= MaxRows &&
           out->firstColumn <= out->endColumn && out->endColumn <= MaxColumns;
}

quint64 cellsFromA1(const BiffDimensions& d)
{
    return quint64(d.endRow) * d.endColumn;
}

// The sheet's substream: BOF at offset, its records up to the matching EOF; substreams nested
// inside it (embedded charts) are skipped.
bool readSheetSubstream(const QByteArray& stream, int version, PendingSheet* pending,
                        quint64* declaredCells)
{
    RecordReader in(stream, qsizetype(pending->offset));
    Record r;
    if (!in.next(&r) || r.type != BofRecord)
        return false;
    int depth = 1;
    while (depth > 0) {
        if (!in.next(&r))
            return false;
        if (r.type == BofRecord) {
            ++depth;
        } else if (r.type == EofRecord) {
            --depth;
        } else if (r.type == DimensionsRecord) {
            BiffDimensions dimensions;
            if (!readDimensions(in, r, version, &dimensions))
                return false;
            *declaredCells += cellsFromA1(dimensions);
            if (depth == 1 && !pending->sheet.dimensions)
                pending->sheet.dimensions = dimensions;
        } else if (r.type == BoolErrRecord && depth == 1 && r.length >= 8) {
            pending->sheet.boolErrCells.append(
                {in.u16(r.data), in.u16(r.data + 2), in.u8(r.data + 7) != 0, in.u8(r.data + 6)});
        } else if (r.type == FormulaRecord && depth == 1 && r.length >= 4) {
            pending->sheet.formulaCells.append({in.u16(r.data), in.u16(r.data + 2)});
        }
    }
    return true;
}

// A LABEL or RSTRING cell keeps its text inside the record: row, column and format, a 16-bit
// character count, in BIFF8 an option byte (bit 0: two bytes a character), then the characters.
// FreeXL copies as many bytes as the count says without looking at the record's length, so a
// count that runs past the record would make it read beyond its buffer.
bool cellTextFits(const RecordReader& in, const Record& r, int version)
{
    if (r.length < 8)
        return false;
    const qsizetype count = in.u16(r.data + 6);
    const qsizetype head = version == 8 ? 9 : 8;
    if (count == 0)
        return true; // an empty text: nothing is copied, with or without the option byte
    if (r.length < head)
        return false;
    const qsizetype width = version == 8 && (in.u8(r.data + 8) & 0x01) != 0 ? 2 : 1;
    return count * width <= r.length - head;
}

// A reader that walks the stream from its start, record after record, sees every record there
// is, whatever the sheet offsets say: count every DIMENSIONS record, and check every cell text.
// Nothing when a cell text does not fit its record.
std::optional<quint64> linearDeclaredCells(const QByteArray& stream, int version)
{
    RecordReader in(stream, 0);
    Record r;
    quint64 cells = 0;
    while (in.next(&r)) {
        BiffDimensions dimensions;
        if (r.type == DimensionsRecord && readDimensions(in, r, version, &dimensions))
            cells += cellsFromA1(dimensions);
        if ((r.type == LabelRecord || r.type == RichStringRecord) && !cellTextFits(in, r, version))
            return std::nullopt;
    }
    return cells;
}

} // namespace

bool looksLikeBareOldBiff(const QByteArray& data)
{
    if (data.size() < RecordHeaderSize)
        return false;
    const quint16 type = qFromLittleEndian<quint16>(data.constData());
    const quint16 length = qFromLittleEndian<quint16>(data.constData() + 2);
    return std::find(std::begin(OldBofRecords), std::end(OldBofRecords), type) !=
               std::end(OldBofRecords) &&
           length >= 4 && length <= 16;
}

BiffWorkbook readBiffWorkbook(const QByteArray& stream)
{
    BiffWorkbook book;
    if (looksLikeBareOldBiff(stream)) {
        book.status = BiffStatus::OlderFormat;
        return book;
    }
    RecordReader in(stream, 0);
    Record r;
    if (!in.next(&r) || r.type != BofRecord || r.length < 4 ||
        in.u16(r.data + 2) != GlobalsSubstream)
        return book;
    const quint16 biffVersion = in.u16(r.data);
    if (biffVersion == 0x0600) {
        book.version = 8;
    } else if (biffVersion == 0x0500) {
        book.version = 5;
    } else {
        book.status = biffVersion < 0x0500 ? BiffStatus::OlderFormat : BiffStatus::Damaged;
        return book;
    }

    QList<PendingSheet> pending;
    for (bool globalsEnded = false; !globalsEnded;) {
        if (!in.next(&r) || r.type == BofRecord)
            return book;
        switch (r.type) {
        case FilePassRecord:
            book.status = BiffStatus::PasswordProtected;
            return book;
        case EofRecord:
            globalsEnded = true;
            break;
        case Window1Record:
            if (!book.activeTab && r.length >= 12)
                book.activeTab = in.u16(r.data + 10);
            break;
        case CodePageRecord:
            if (r.length >= 2)
                book.codePage = in.u16(r.data);
            break;
        case BoundSheetRecord: {
            PendingSheet sheet;
            if (!readBoundSheet(in, r, book.version, &sheet))
                return book;
            pending.append(sheet);
            break;
        }
        default:
            break;
        }
    }

    quint64 declaredCells = 0;
    for (PendingSheet& sheet : pending) {
        if (!readSheetSubstream(stream, book.version, &sheet, &declaredCells))
            return book;
        if (book.version == 5)
            sheet.sheet.name = decodeCodePage(sheet.rawName, book.codePage);
        book.sheets.append(sheet.sheet);
    }
    const std::optional<quint64> linearCells = linearDeclaredCells(stream, book.version);
    if (!linearCells)
        return book;
    book.declaredCells = std::max(declaredCells, *linearCells);
    const bool hasWorksheet =
        std::any_of(book.sheets.cbegin(), book.sheets.cend(),
                    [](const BiffSheet& s) { return s.type == BiffSheetType::Worksheet; });
    book.status = hasWorksheet ? BiffStatus::Ok : BiffStatus::NoSheets;
    return book;
}
