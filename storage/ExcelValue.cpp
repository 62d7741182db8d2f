#include "storage/ExcelValue.h"

#include "storage/ExcelAutomationError.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// Below this a whole double is shown with all its digits, as a whole number stored as Integer.
constexpr double WholeDigitsLimit = 1e15;

struct ErrorName
{
    quint8 code;
    const char* english;
    const char* russian;
};

constexpr ErrorName ErrorNames[] = {
    {0x00, "#NULL!", "#ПУСТО!"}, {0x07, "#DIV/0!", "#ДЕЛ/0!"}, {0x0F, "#VALUE!", "#ЗНАЧ!"},
    {0x17, "#REF!", "#ССЫЛКА!"}, {0x1D, "#NAME?", "#ИМЯ?"},    {0x24, "#NUM!", "#ЧИСЛО!"},
    {0x2A, "#N/A", "#Н/Д"},
};

bool isRussian(const QLocale& locale)
{
    return locale.language() == QLocale::Russian;
}

QString errorText(quint8 code, const QLocale& locale)
{
    const ErrorName* name = &ErrorNames[std::size(ErrorNames) - 1]; // an unknown code reads #N/A
    for (const ErrorName& candidate : ErrorNames) {
        if (candidate.code == code)
            name = &candidate;
    }
    return QString::fromUtf8(isRussian(locale) ? name->russian : name->english);
}

QString numberText(double value, const QLocale& locale)
{
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < WholeDigitsLimit)
        return QString::number(qint64(value));
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

ExcelValue ExcelValue::fromText(const QString& text)
{
    ExcelValue v;
    v.m_type = Type::Text;
    v.m_text = text;
    return v;
}

ExcelValue ExcelValue::fromInteger(qint64 value)
{
    ExcelValue v;
    v.m_type = Type::Integer;
    v.m_integer = value;
    return v;
}

ExcelValue ExcelValue::fromDouble(double value)
{
    ExcelValue v;
    v.m_type = Type::Double;
    v.m_double = value;
    return v;
}

ExcelValue ExcelValue::fromDate(const QString& text)
{
    ExcelValue v;
    v.m_type = Type::Date;
    v.m_text = text;
    return v;
}

ExcelValue ExcelValue::fromBoolean(bool value)
{
    ExcelValue v;
    v.m_type = Type::Boolean;
    v.m_integer = value ? 1 : 0;
    return v;
}

ExcelValue ExcelValue::fromError(quint8 code)
{
    ExcelValue v;
    v.m_type = Type::Error;
    v.m_integer = code;
    return v;
}

bool ExcelValue::isEmptyText() const
{
    return m_type == Type::Empty || (m_type == Type::Text && m_text.isEmpty());
}

QString ExcelValue::toText(const QLocale& locale) const
{
    switch (m_type) {
    case Type::Empty:
        return QString();
    case Type::Text:
    case Type::Date:
        return m_text;
    case Type::Integer:
        return QString::number(m_integer);
    case Type::Double:
        return numberText(m_double, locale);
    case Type::Boolean:
        if (isRussian(locale))
            return m_integer ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
        return m_integer ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Type::Error:
        return errorText(quint8(m_integer), locale);
    }
    return QString();
}

ExcelValueArray::ExcelValueArray(int rowCount, int columnCount)
    : m_rowCount(std::max(rowCount, 0)), m_columnCount(std::max(columnCount, 0)),
      m_values(qsizetype(m_rowCount) * m_columnCount)
{
}

qsizetype ExcelValueArray::indexOf(int row, int column) const
{
    if (row < 1 || row > m_rowCount || column < 1 || column > m_columnCount)
        throw ExcelAutomationError(QStringLiteral("элемент (%1, %2) вне массива %3 × %4.")
                                       .arg(row)
                                       .arg(column)
                                       .arg(m_rowCount)
                                       .arg(m_columnCount));
    return qsizetype(row - 1) * m_columnCount + (column - 1);
}

const ExcelValue& ExcelValueArray::operator()(int row, int column) const
{
    return m_values[indexOf(row, column)];
}

void ExcelValueArray::set(int row, int column, const ExcelValue& value)
{
    m_values[indexOf(row, column)] = value;
}

void ExcelValueArray::set(int row, int column, ExcelValue&& value)
{
    m_values[indexOf(row, column)] = std::move(value);
}
