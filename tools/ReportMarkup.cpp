#include "tools/ReportMarkup.h"

#include <QLocale>

namespace SurveyData::Report {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            // Control characters are not allowed in XML and mean nothing on a page.
            out += ch.unicode() < 0x20 ? QChar(u' ') : ch;
        }
    }
    return out;
}

QString decimal(std::optional<double> value, int decimals)
{
    if (!value)
        return QStringLiteral("—");
    QLocale russian(QLocale::Russian, QLocale::Russia);
    russian.setNumberOptions(QLocale::OmitGroupSeparator);
    return russian.toString(*value, 'f', decimals);
}

} // namespace SurveyData::Report
