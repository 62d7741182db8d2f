#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What the record walk of a legacy workbook stream (BIFF5 of Excel 5.0/95, BIFF8 of Excel
// 97-2003) learns beside the cell values: which sheet tab was active when the workbook was
// saved, the sheets in tab order, the rectangle each sheet declares as used, which numbers are
// really booleans or error values, and which cells hold formulas (FreeXL reads those as empty).
// Every record length and offset is checked against the stream before it is read, and so is the
// length of every cell text against its record.

enum class BiffSheetType { Worksheet, Chart, MacroSheet, Module, Other };

// The DIMENSIONS record of a sheet: rows and columns counted from 0 (A1), ends exclusive.
struct BiffDimensions
{
    quint32 firstRow = 0;
    quint32 endRow = 0;
    quint16 firstColumn = 0;
    quint16 endColumn = 0;
};

// A BOOLERR cell: a boolean (value 0 or 1) or an error value (Excel's error code).
struct BiffBoolErrCell
{
    quint32 row = 0;
    quint16 column = 0;
    bool isError = false;
    quint8 value = 0;
};

// A FORMULA cell: the walk notes where it stands; its value is not read.
struct BiffCellAddress
{
    quint32 row = 0;
    quint16 column = 0;
};

struct BiffSheet
{
    QString name;
    BiffSheetType type = BiffSheetType::Worksheet;
    std::optional<BiffDimensions> dimensions;
    QList<BiffBoolErrCell> boolErrCells;
    QList<BiffCellAddress> formulaCells; // in record order
};

enum class BiffStatus {
    Ok,
    Damaged,           // a record or offset that does not fit, a missing BOF or EOF
    PasswordProtected, // a FILEPASS record: the records that follow are encrypted
    OlderFormat,       // BIFF2 to BIFF4
    NoSheets,          // no worksheet tab at all
};

struct BiffWorkbook
{
    BiffStatus status = BiffStatus::Damaged;
    int version = 0;                  // 5 or 8
    quint16 codePage = 0;             // the CODEPAGE record (1200 = UTF-16 in BIFF8)
    std::optional<quint16> activeTab; // itabCur of the first WINDOW1: a BOUNDSHEET index
    QList<BiffSheet> sheets;          // every BOUNDSHEET, in tab order
    // The most cells any reader that trusts DIMENSIONS would reserve: the sum, over the sheets,
    // of rows times columns counted from A1.
    quint64 declaredCells = 0;
};

BiffWorkbook readBiffWorkbook(const QByteArray& stream);

// True when data starts with the BOF record of a BIFF2, BIFF3 or BIFF4 file, which keeps its
// records bare instead of inside a compound file.
bool looksLikeBareOldBiff(const QByteArray& data);
