#include "storage/SurveyRecord.h"

#include "storage/Windows1251.h"

#include <QStringList>
#include <algorithm>

namespace SurveyRecord {
namespace {

constexpr bool layoutIsContiguous()
{
    int next = 1;
    for (const Field& field : Layout) {
        if (field.position != next)
            return false;
        next += field.width;
    }
    return next == Length + 1;
}
static_assert(layoutIsContiguous(), "the fields must cover the record without gaps or overlaps");

const QChar Blank = QLatin1Char(' ');
const QChar Unmappable = QLatin1Char('?');

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The characters of a text, a surrogate pair (or a lone surrogate) being one of them.
QStringList characters(const QString& text)
{
    QStringList list;
    list.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        list.append(text.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return list;
}

QString wrongWidth(const Field& field, qsizetype width)
{
    return QStringLiteral("Запись анкеты не собрана: поле %1 длиной %2 знаков вместо %3.")
        .arg(QLatin1String(field.name))
        .arg(width)
        .arg(field.width);
}

// A screen builds its places by UTF-16 units (as place() does) or by characters; either gives a
// text whose places can be told apart. Anything else has lost the positions.
QStringList namePlaces(const QString& text, const Field& field)
{
    QStringList places;
    if (text.size() == field.width) {
        for (int at = 0; at < field.width; at += PlaceWidth)
            places.append(text.mid(at, PlaceWidth));
        return places;
    }
    const QStringList chars = characters(text);
    if (chars.size() != field.width)
        throw RecordError(wrongWidth(field, chars.size()));
    for (int at = 0; at < field.width; at += PlaceWidth)
        places.append(chars.mid(at, PlaceWidth).join(QString()));
    return places;
}

QString checkedAnswer(const QString& text, const Field& field)
{
    if (text.size() != field.width)
        throw RecordError(wrongWidth(field, text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate() || isControl(c.unicode()) || !inWindows1251(c.unicode()))
            throw RecordError(
                QStringLiteral("Запись анкеты не собрана: в поле %1 недопустимый знак U+%2.")
                    .arg(QLatin1String(field.name))
                    .arg(c.unicode(), 4, 16, QLatin1Char('0')));
    }
    return text;
}

} // namespace

QString numberPlace(qint32 value)
{
    return QString::number(value).leftJustified(PlaceWidth, Blank);
}

QString fitToPlace(const QString& text)
{
    const QStringList chars = characters(text);
    QString fitted = chars.mid(0, PlaceWidth).join(QString());
    for (qsizetype n = chars.size(); n < PlaceWidth; ++n)
        fitted.append(Blank);
    return fitted;
}

QString cleanName(const QString& name)
{
    // A name of exactly one place whose every character the code page holds is kept as it is,
    // without building a copy: the common case when many names are cleaned.
    const auto kept = [](QChar c) {
        return !c.isSurrogate() && !isControl(c.unicode()) && inWindows1251(c.unicode());
    };
    if (name.size() == PlaceWidth && std::all_of(name.cbegin(), name.cend(), kept))
        return name;
    QString cleaned;
    cleaned.reserve(PlaceWidth);
    for (qsizetype i = 0; i < name.size() && cleaned.size() < PlaceWidth; ++i) {
        const QChar c = name.at(i);
        if (c.isSurrogate()) {
            // Nothing outside the Basic Multilingual Plane is in the code page.
            if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
                ++i;
            cleaned.append(Unmappable);
        } else if (isControl(c.unicode())) {
            cleaned.append(Blank);
        } else {
            cleaned.append(inWindows1251(c.unicode()) ? c : Unmappable);
        }
    }
    return cleaned.leftJustified(PlaceWidth, Blank);
}

QString build(const SurveyState& state, const std::function<void()>& reportUnrealValue)
{
    QString record;
    record.reserve(Length);
    for (const Field& field : Layout) {
        QString piece;
        switch (field.content) {
        case Content::Name:
            piece = cleanName(state.*field.text);
            break;
        case Content::NamePlaces:
            for (const QString& name : namePlaces(state.*field.text, field))
                piece += cleanName(name);
            break;
        case Content::Answer:
            piece = checkedAnswer(state.*field.text, field);
            break;
        case Content::Seconds: {
            const qint32 value = state.*field.number;
            if (value >= UnrealSeconds && reportUnrealValue)
                reportUnrealValue();
            piece = numberPlace(value);
            break;
        }
        }
        if (piece.size() != field.width)
            throw RecordError(wrongWidth(field, piece.size()));
        record += piece;
    }
    if (record.size() != Length)
        throw RecordError(QStringLiteral("Запись анкеты не собрана: %1 знаков вместо %2.")
                              .arg(record.size())
                              .arg(Length));
    return record;
}

} // namespace SurveyRecord
