#pragma once

// survey-data run in the test's process with buffers for its standard streams, and a reader of
// the CSV it writes.

#include "tools/Tool.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace toolrun {

struct Result
{
    int status = -1;
    QByteArray out;
    QString err;
    QStringList errLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

inline Result run(const QStringList& arguments, bool errIsTerminal = false,
                  bool outIsTerminal = false)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Result result;
    result.status = SurveyData::run(arguments, out, err, outIsTerminal, errIsTerminal);
    result.out = out.data();
    result.err = QString::fromUtf8(err.data());
    return result;
}

// RFC 4180: fields in double quotes may hold the separator, quotes (doubled) and line ends;
// records end with CR LF.
struct Table
{
    QStringList header;
    QList<QStringList> rows;

    qsizetype column(const QString& name) const { return header.indexOf(name); }
    QString cell(qsizetype row, const QString& name) const
    {
        const qsizetype at = column(name);
        return at < 0 ? QStringLiteral("<no column %1>").arg(name) : rows.at(row).value(at);
    }
};

inline Table parseCsv(const QByteArray& bytes, QChar separator = QLatin1Char(','))
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            fields.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text.at(i + 1) == QLatin1Char('\n')) {
            ++i;
            fields.append(field);
            records.append(fields);
            fields.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    Table table;
    if (!records.isEmpty())
        table.header = records.takeFirst();
    table.rows = records;
    return table;
}

} // namespace toolrun
