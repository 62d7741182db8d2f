#include "storage/ExcelWorkbookFile.h"

#include "storage/BiffWorkbook.h"
#include "storage/CompoundFile.h"
#include "storage/RosterWorkbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <algorithm>
#include <freexl.h>
#include <vector>

namespace {

struct FreeXlCloser
{
    void operator()(const void* handle) const { freexl_close(handle); }
};
using FreeXlHandle = std::unique_ptr<const void, FreeXlCloser>;

RosterWorkbookFault faultOf(BiffStatus status)
{
    switch (status) {
    case BiffStatus::Ok:
    case BiffStatus::Damaged:
        break;
    case BiffStatus::PasswordProtected:
        return RosterWorkbookFault::PasswordProtected;
    case BiffStatus::OlderFormat:
        return RosterWorkbookFault::OlderFormat;
    case BiffStatus::NoSheets:
        return RosterWorkbookFault::NoSheets;
    }
    return RosterWorkbookFault::Damaged;
}

bool isZipPackage(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

QByteArray readWhole(const QString& fullName, const QString& name)
{
    if (!QFileInfo(fullName).isFile())
        throw RosterWorkbookError(RosterWorkbookFault::Missing, name);
    QFile file(fullName);
    if (!file.open(QIODevice::ReadOnly))
        throw RosterWorkbookError(RosterWorkbookFault::Unreadable, name);
    const qint64 size = file.size();
    if (size > ExcelWorkbookFile::MaxFileSize)
        throw RosterWorkbookError(RosterWorkbookFault::TooLarge, name);
    // As many bytes as the file had when it was opened; a file growing meanwhile is read short.
    QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError)
        throw RosterWorkbookError(RosterWorkbookFault::Unreadable, name);
    if (bytes.isEmpty())
        throw RosterWorkbookError(RosterWorkbookFault::Empty, name);
    return bytes;
}

// The checks of our own, before FreeXL sees a byte of the file.
BiffWorkbook checkedWorkbook(const QByteArray& bytes, const QString& name)
{
    if (!looksLikeCompoundFile(bytes)) {
        if (isZipPackage(bytes))
            throw RosterWorkbookError(RosterWorkbookFault::NewerFormat, name);
        if (looksLikeBareOldBiff(bytes))
            throw RosterWorkbookError(RosterWorkbookFault::OlderFormat, name);
        throw RosterWorkbookError(RosterWorkbookFault::NotWorkbook, name);
    }
    // bytes outlives the stream, which only the record walk below reads.
    const CompoundStream stream =
        readCompoundStreamInPlace(bytes, {QStringLiteral("Workbook"), QStringLiteral("Book")});
    switch (stream.status) {
    case CompoundFileStatus::Ok:
        break;
    case CompoundFileStatus::StreamMissing: // a document of another program
    case CompoundFileStatus::NotCompound:
        throw RosterWorkbookError(RosterWorkbookFault::NotWorkbook, name);
    case CompoundFileStatus::Damaged:
        throw RosterWorkbookError(RosterWorkbookFault::Damaged, name);
    }
    BiffWorkbook book = readBiffWorkbook(stream.data);
    if (book.status != BiffStatus::Ok)
        throw RosterWorkbookError(faultOf(book.status), name);
    if (book.declaredCells > ExcelWorkbookFile::MaxDeclaredCells)
        throw RosterWorkbookError(RosterWorkbookFault::TooLarge, name);
    return book;
}

RosterWorkbookFault faultOfFreeXl(int code)
{
    switch (code) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return RosterWorkbookFault::TooLarge;
    case FREEXL_FILE_NOT_FOUND:
        return RosterWorkbookFault::Unreadable;
    default:
        return RosterWorkbookFault::Damaged;
    }
}

quint64 cellKey(quint32 row, quint32 column)
{
    return (quint64(row) << 16) | column;
}

// Whether a FreeXL cell will be a value that is not the empty text (ExcelValue::isEmptyText),
// without building the value.
bool holdsValue(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return true;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: {
        const char* text = cell.value.text_value;
        if (!text || *text == '\0')
            return false;
        // Bytes that do not start a byte order mark always decode to some character.
        return *text != '\xEF' || !QString::fromUtf8(text).isEmpty();
    }
    default:
        return false;
    }
}

// FreeXL's UTF-8 text decoded. The decoding reserves a character for every byte, twice what a
// Cyrillic text needs; a sheet of many thousand names keeps its texts at their length.
QString textOf(const char* utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.capacity() - text.size() >= 4)
        return QString(text.constData(), text.size());
    return text;
}

} // namespace

struct ExcelWorkbookFile::Private
{
    QString fileName;
    BiffWorkbook book;
    QTemporaryFile copy; // what FreeXL reads; removed with the workbook
    FreeXlHandle handle;
    QStringList sheetNames;
    int activeSheet = 0;

    [[noreturn]] void fail(RosterWorkbookFault fault) const
    {
        throw RosterWorkbookError(fault, fileName);
    }
    void openFreeXl(const QByteArray& bytes, const QString& fullName);
    // The record walk's sheet for FreeXL's sheet index: by name, else by position when both
    // list the same number of sheets (a BIFF5 name in a code page the platform lacks).
    const BiffSheet* biffSheet(int sheet) const;
    int freeXlIndexOf(qsizetype tab) const;
    int chooseActiveSheet() const;
};

void ExcelWorkbookFile::Private::openFreeXl(const QByteArray& bytes, const QString& fullName)
{
    // FreeXL opens files by name. Give it a private copy of the bytes checked above, so that the
    // file it reads cannot differ from them; only when no copy can be written does it read the
    // workbook itself.
    QString path = fullName;
    copy.setFileTemplate(QDir::tempPath() + QStringLiteral("/roster-XXXXXX.xls"));
    if (copy.open() && copy.write(bytes) == bytes.size() && copy.flush()) {
        path = copy.fileName();
        copy.close();
    }
    const void* opened = nullptr;
    const int code =
        freexl_open(QFile::encodeName(QDir::toNativeSeparators(path)).constData(), &opened);
    handle.reset(opened);
    if (code != FREEXL_OK)
        fail(faultOfFreeXl(code));
    if (!handle)
        fail(RosterWorkbookFault::Damaged);
    unsigned int count = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0 ||
        count > unsigned(book.sheets.size()))
        fail(RosterWorkbookFault::Damaged);
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle.get(), quint16(i), &name) != FREEXL_OK || !name)
            fail(RosterWorkbookFault::Damaged);
        sheetNames.append(QString::fromUtf8(name));
    }
}

const BiffSheet* ExcelWorkbookFile::Private::biffSheet(int sheet) const
{
    if (sheet < 0 || sheet >= sheetNames.size())
        return nullptr;
    for (const BiffSheet& candidate : book.sheets) {
        if (candidate.name == sheetNames[sheet])
            return &candidate;
    }
    return sheetNames.size() == book.sheets.size() ? &book.sheets[sheet] : nullptr;
}

int ExcelWorkbookFile::Private::freeXlIndexOf(qsizetype tab) const
{
    const qsizetype byName = sheetNames.indexOf(book.sheets[tab].name);
    if (byName >= 0)
        return int(byName);
    return sheetNames.size() == book.sheets.size() ? int(tab) : -1;
}

int ExcelWorkbookFile::Private::chooseActiveSheet() const
{
    const auto isWorksheet = [this](qsizetype tab) {
        return book.sheets[tab].type == BiffSheetType::Worksheet;
    };
    qsizetype tab = book.activeTab.value_or(0);
    if (tab >= book.sheets.size() || !isWorksheet(tab)) {
        // The record walk accepts no workbook without a worksheet.
        tab = 0;
        while (!isWorksheet(tab))
            ++tab;
    }
    const int index = freeXlIndexOf(tab);
    return index >= 0 ? index : 0;
}

ExcelWorkbookFile::ExcelWorkbookFile(const QString& fullName) : d(std::make_unique<Private>())
{
    d->fileName = QFileInfo(fullName).fileName();
    const QByteArray bytes = readWhole(fullName, d->fileName);
    d->book = checkedWorkbook(bytes, d->fileName);
    d->openFreeXl(bytes, fullName);
    d->activeSheet = d->chooseActiveSheet();
}

ExcelWorkbookFile::~ExcelWorkbookFile() = default;

const QString& ExcelWorkbookFile::fileName() const
{
    return d->fileName;
}

const QStringList& ExcelWorkbookFile::sheetNames() const
{
    return d->sheetNames;
}

int ExcelWorkbookFile::activeSheet() const
{
    return d->activeSheet;
}

QList<ExcelWorkbookFile::Cell> ExcelWorkbookFile::formulaCells(int sheet) const
{
    QList<Cell> cells;
    if (const BiffSheet* info = d->biffSheet(sheet))
        for (const BiffCellAddress& cell : info->formulaCells)
            cells.append({int(cell.row), int(cell.column)});
    return cells;
}

ExcelUsedRange ExcelWorkbookFile::usedRange(int sheet) const
{
    ExcelUsedRange range{0, 0, ExcelValueArray(1, 1)};
    const BiffSheet* info = d->biffSheet(sheet);
    if (!info || info->type != BiffSheetType::Worksheet)
        return range;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(d->handle.get(), quint16(sheet)) != FREEXL_OK ||
        freexl_worksheet_dimensions(d->handle.get(), &rows, &columns) != FREEXL_OK)
        d->fail(RosterWorkbookFault::Damaged);

    // Scan what the sheet declares (what FreeXL holds, when it declares nothing) and keep the
    // cells that hold a value.
    quint32 firstRow = 0, endRow = rows, firstColumn = 0, endColumn = columns;
    if (info->dimensions) {
        firstRow = info->dimensions->firstRow;
        endRow = std::min<quint32>(info->dimensions->endRow, rows);
        firstColumn = info->dimensions->firstColumn;
        endColumn = std::min<quint32>(info->dimensions->endColumn, columns);
    }
    QHash<quint64, BiffBoolErrCell> boolErr;
    for (const BiffBoolErrCell& cell : info->boolErrCells)
        boolErr.insert(cellKey(cell.row, cell.column), cell);

    const auto cellAt = [this](quint32 row, quint32 column) {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(d->handle.get(), row, quint16(column), &cell) != FREEXL_OK)
            d->fail(RosterWorkbookFault::Damaged);
        return cell;
    };
    // First the rectangle of the cells that hold a value, then their values: a sheet of many
    // thousand names is not held twice over. Asking FreeXL for a cell costs next to nothing.
    bool any = false;
    quint32 top = 0, bottom = 0, left = 0, right = 0;
    for (quint32 row = firstRow; row < endRow; ++row) {
        for (quint32 column = firstColumn; column < endColumn; ++column) {
            if (!holdsValue(cellAt(row, column)))
                continue;
            if (!any) {
                top = row;
                left = right = column;
                any = true;
            }
            bottom = row;
            left = std::min(left, column);
            right = std::max(right, column);
        }
    }
    if (!any)
        return range;

    range.firstRow = int(top);
    range.firstColumn = int(left);
    range.values = ExcelValueArray(int(bottom - top + 1), int(right - left + 1));
    for (quint32 row = top; row <= bottom; ++row) {
        for (quint32 column = left; column <= right; ++column) {
            const FreeXL_CellValue cell = cellAt(row, column);
            ExcelValue value;
            switch (cell.type) {
            case FREEXL_CELL_INT: {
                // FreeXL gives booleans and error values as numbers; the record walk knows them.
                const auto found = boolErr.constFind(cellKey(row, column));
                if (found == boolErr.cend())
                    value = ExcelValue::fromInteger(cell.value.int_value);
                else if (found->isError)
                    value = ExcelValue::fromError(found->value);
                else
                    value = ExcelValue::fromBoolean(found->value != 0);
                break;
            }
            case FREEXL_CELL_DOUBLE:
                value = ExcelValue::fromDouble(cell.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                value = ExcelValue::fromText(textOf(cell.value.text_value));
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                value = ExcelValue::fromDate(QString::fromUtf8(cell.value.text_value));
                break;
            default:
                break;
            }
            if (!value.isEmptyText())
                range.values.set(int(row - top + 1), int(column - left + 1), std::move(value));
        }
    }
    return range;
}
