#pragma once

#include <QList>
#include <QLocale>
#include <QString>

// One cell value as the spreadsheet automation hands it over: a small variant.
class ExcelValue
{
public:
    enum class Type { Empty, Text, Integer, Double, Date, Boolean, Error };

    ExcelValue() = default; // Empty
    static ExcelValue fromText(const QString& text);
    static ExcelValue fromInteger(qint64 value);
    static ExcelValue fromDouble(double value);
    // A date, date and time, or time, as the text the workbook reader gives: "2024-09-01",
    // "2024-09-01 08:30:00", "08:30:00".
    static ExcelValue fromDate(const QString& text);
    static ExcelValue fromBoolean(bool value);
    // Excel's error code: 0x00 #NULL!, 0x07 #DIV/0!, 0x0F #VALUE!, 0x17 #REF!, 0x1D #NAME?,
    // 0x24 #NUM!, 0x2A #N/A.
    static ExcelValue fromError(quint8 code);

    Type type() const { return m_type; }
    // True for the empty value and for the empty text: what "equal to the empty text" means for
    // a cell. Numbers, dates, booleans and errors are never equal to it.
    bool isEmptyText() const;

    // The value as a grid shows it. A whole number (Integer, or a Double without fraction below
    // 10^15) is its digits: "25", never "25.0". Another number is its shortest exact form with
    // the locale's decimal separator and without group separators ("3,5" in Russian). A date is
    // its text; a boolean and an error value are the words of a Russian Excel ("ИСТИНА", "#Н/Д")
    // in a Russian locale, of an English one ("TRUE", "#N/A") in any other.
    QString toText(const QLocale& locale) const;

    const QString& text() const { return m_text; } // Text and Date
    // Integer, Boolean (0 or 1), Error (code); 0 for the other types
    qint64 integer() const { return m_type == Type::Double ? 0 : m_integer; }
    // Double; 0 for the other types
    double number() const { return m_type == Type::Double ? m_double : 0; }

    friend bool operator==(const ExcelValue& a, const ExcelValue& b)
    {
        return a.m_type == b.m_type && a.m_text == b.m_text && a.integer() == b.integer() &&
               a.number() == b.number();
    }

private:
    // A sheet of many thousand cells holds a value for each, twice over while a roster is
    // taken from it: the number is kept in one place whatever its kind.
    QString m_text;
    union {
        qint64 m_integer = 0; // all but Double
        double m_double;      // Double
    };
    Type m_type = Type::Empty;
};

// The Value of a range: rowCount × columnCount values indexed from 1, row then column, as the
// automation's two-dimensional arrays are. A range of one cell is an array of one element too.
class ExcelValueArray
{
public:
    ExcelValueArray() = default;
    ExcelValueArray(int rowCount, int columnCount); // every element Empty

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }

    // Element (row, column), each from 1. Outside the array raises ExcelAutomationError.
    const ExcelValue& operator()(int row, int column) const;
    void set(int row, int column, const ExcelValue& value);
    void set(int row, int column, ExcelValue&& value);

private:
    qsizetype indexOf(int row, int column) const;

    int m_rowCount = 0;
    int m_columnCount = 0;
    QList<ExcelValue> m_values;
};
