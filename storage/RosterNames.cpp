#include "storage/RosterNames.h"

#include "storage/ExcelAutomation.h"
#include "storage/SurveyRecord.h"

#include <algorithm>

namespace {

constexpr int NameColumn = 1; // the first column of the used range, as the automation counts

// The classes that take part and the stream letters of the class and gender screen; "Другое"
// leaves the stream empty.
constexpr int FirstClass = 5;
constexpr int LastClass = 11;
const char* const Streams[] = {"", "А", "Б", "В", "Г", "Д", "Е"};

} // namespace

QString RosterNames::gridName(const QString& text)
{
    if (text.isEmpty() || text.size() == NameWidth)
        return text;
    // Built at its size at once: a roster can hold many thousand names.
    QString name(NameWidth, Qt::Uninitialized);
    const auto kept = std::min<qsizetype>(text.size(), NameWidth);
    std::fill(std::copy_n(text.cbegin(), kept, name.begin()), name.end(), QLatin1Char(' '));
    return name;
}

bool RosterNames::isBlankName(QStringView gridText)
{
    return gridText.trimmed().isEmpty(); // a view: no copy of the trimmed text
}

QString RosterNames::recordName(const QString& gridText)
{
    return SurveyRecord::cleanName(gridText);
}

RosterNames::Reading RosterNames::readRoster(const QString& fullName, const QLocale& locale)
{
    Reading reading;
    const ExcelSession excel;
    ExcelApplication->Workbooks().Open(fullName);
    const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
    reading.rowCount = std::max(0, sheet.UsedRange().Rows().Count());
    const ExcelValueArray values = sheet.UsedRange().Value();

    reading.sheetName = sheet.Name();
    reading.sheetIndex = sheet.Index();
    const ExcelRange range = sheet.UsedRange();
    reading.firstRow = range.Row();
    reading.firstColumn = range.Column();
    reading.columnCount = values.columnCount();
    for (const ExcelCellAddress& cell : sheet.FormulaCells())
        if (cell.column == reading.firstColumn)
            reading.formulaRows.append(cell.row);

    // The names are taken once the workbook is closed: the memory the workbook reader held is
    // free again for them, which counts for a sheet of many thousand rows.
    ExcelApplication->Workbooks().Close();
    ExcelApplication->Quit();
    ExcelApplication.clear();
    reading.rows.resize(static_cast<std::size_t>(reading.rowCount));
    if (values.columnCount() >= NameColumn) {
        for (int r = 0; r < reading.rowCount && r < values.rowCount(); ++r) {
            Row& row = reading.rows[static_cast<std::size_t>(r)];
            row.value = values(r + 1, NameColumn);
            row.text = row.value.toText(locale);
            if (!row.value.isEmptyText())
                row.name = gridName(row.text);
        }
    }
    return reading;
}

int RosterNames::readRowCount(const QString& fullName)
{
    const ExcelSession excel;
    ExcelApplication->Workbooks().Open(fullName);
    const ExcelSheet sheet = ExcelApplication->ActiveWorkbook().ActiveSheet();
    const int rowCount = sheet.UsedRange().Rows().Count();
    ExcelApplication->Workbooks().Close();
    ExcelApplication->Quit();
    ExcelApplication.clear();
    return rowCount;
}

QStringList RosterNames::workbookNames()
{
    QStringList names;
    for (int number = FirstClass; number <= LastClass; ++number)
        for (const char* stream : Streams)
            names.append(QString::number(number) + QString::fromUtf8(stream) +
                         QStringLiteral(".xls"));
    return names;
}
