#pragma once

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

// The report read back as the XML it also is: the text of every sociomatrix cell, and the names
// of the elements, so that a test can tell a name shown as text from markup.
namespace ReportPage {

struct Table
{
    QStringList classes;               // of the table element
    std::vector<QStringList> rows;     // thead, tbody, tfoot rows in document order: cell texts
    std::vector<QStringList> cellTags; // per row: the class attribute of each cell
};

struct Page
{
    QString error; // the XML reader's complaint; empty for a well-formed page
    std::vector<Table> sociomatrices;
    QStringList elementNames;                  // every element met, in order
    QString text;                              // all character data outside <style>
    std::vector<QStringList> sociogramClasses; // class of each div.sociogram
};

inline Page read(const QByteArray& html)
{
    Page page;
    QXmlStreamReader xml(html);
    Table* table = nullptr;
    int depthInCell = 0;
    bool inStyle = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            const QStringList classes = xml.attributes()
                                            .value(QLatin1String("class"))
                                            .toString()
                                            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            page.elementNames.append(name);
            inStyle = name == QLatin1String("style");
            if (name == QLatin1String("div") && classes.contains(QLatin1String("sociogram")))
                page.sociogramClasses.push_back(classes);
            if (name == QLatin1String("table") && classes.contains(QLatin1String("sociomatrix"))) {
                page.sociomatrices.push_back({classes, {}, {}});
                table = &page.sociomatrices.back();
            } else if (table && name == QLatin1String("tr")) {
                table->rows.emplace_back();
                table->cellTags.emplace_back();
            } else if (table && (name == QLatin1String("td") || name == QLatin1String("th"))) {
                table->rows.back().append(QString());
                table->cellTags.back().append(classes.join(QLatin1Char(' ')));
                depthInCell = 1;
            } else if (depthInCell > 0) {
                ++depthInCell;
            }
        } else if (xml.isEndElement()) {
            const QString name = xml.name().toString();
            inStyle = false;
            if (name == QLatin1String("table"))
                table = nullptr;
            else if (depthInCell > 0)
                --depthInCell;
        } else if (xml.isCharacters() && !inStyle) {
            page.text += xml.text();
            if (table && depthInCell > 0)
                table->rows.back().back() += xml.text();
        }
    }
    if (xml.hasError())
        page.error = QStringLiteral("%1 at line %2, column %3")
                         .arg(xml.errorString())
                         .arg(xml.lineNumber())
                         .arg(xml.columnNumber());
    return page;
}

} // namespace ReportPage
