// The --excel table as a spreadsheet program with Russian settings opens it: LibreOffice,
// headless, converts it into a flat OpenDocument sheet, which is read back cell by cell.

#include "ToolRun.h"
#include "support/Files.h"
#include "support/RecordBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

using namespace recordbytes;

namespace {

struct SheetCell
{
    QString type;  // office:value-type: "float", "string", …; empty for an empty cell
    QString value; // office:value of a number
    QString text;
    bool formula = false;
};
using Sheet = QList<QList<SheetCell>>;

// The paragraphs of a cell, one per line; the blanks that indent the XML are not in them.
QString cellText(QXmlStreamReader& xml)
{
    QString text;
    int paragraphs = 0;
    bool inParagraph = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && (xml.name() == QLatin1String("table-cell") ||
                                   xml.name() == QLatin1String("covered-table-cell")))
            break;
        if (xml.isStartElement() && xml.name() == QLatin1String("p")) {
            if (paragraphs++ > 0)
                text += QLatin1Char('\n');
            inParagraph = true;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("p")) {
            inParagraph = false;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("s")) {
            text += QString(qMax(1, xml.attributes().value("text:c").toInt()), QLatin1Char(' '));
        } else if (xml.isCharacters() && inParagraph) {
            text += xml.text();
        }
    }
    return text;
}

// The rows of the first table, empty cells at the end of a row left out.
Sheet readSheet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    Sheet rows;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("table"))
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("table-row")) {
            rows.append(QList<SheetCell>());
        } else if (xml.name() == QLatin1String("table-cell") ||
                   xml.name() == QLatin1String("covered-table-cell")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            SheetCell cell{attributes.value("office:value-type").toString(),
                           attributes.value("office:value").toString(), QString(),
                           attributes.hasAttribute("table:formula")};
            const int repeated =
                qBound(1, attributes.value("table:number-columns-repeated").toInt(), 256);
            cell.text = cellText(xml);
            for (int i = 0; i < repeated && !rows.isEmpty(); ++i)
                rows.last().append(cell);
        }
    }
    for (QList<SheetCell>& row : rows)
        while (!row.isEmpty() && row.last().type.isEmpty() && row.last().text.isEmpty())
            row.removeLast();
    return rows;
}

} // namespace

class TestExportSpreadsheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void russianSpreadsheetReadsTheColumns()
    {
        const QString soffice = QStringLiteral(SOFFICE);
        if (!QFileInfo(soffice).isExecutable())
            QSKIP("LibreOffice is not installed (scripts/install-deps.sh --tests)");
        files::WorkingFolder work;
        QVERIFY(
            files::writeBytes(work.file(QStringLiteral("5 0.17c")), fileOf({"1", recordOf5()})));
        QVERIFY(files::writeBytes(
            work.file(QStringLiteral("8А 0.17c")),
            fileOf({"1", changed(recordOf8(), classmatePosition(0), place("=1+1"))})));
        const QString table = work.path() + QStringLiteral("/table.csv");
        const toolrun::Result result =
            toolrun::run({QStringLiteral("export"), QStringLiteral("--excel"), QStringLiteral("-o"),
                          table, work.stat()});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);

        // Its own profile, so that the job never goes to a LibreOffice the machine already runs;
        // ";", '"', UTF-8, from line 1, standard columns, Russian (1049) number forms.
        QProcess convert;
        convert.setProcessChannelMode(QProcess::MergedChannels);
        convert.start(soffice,
                      {QStringLiteral("--headless"),
                       QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(work.path() + QStringLiteral("/profile")).toString(),
                       QStringLiteral("--infilter=CSV:59,34,76,1,,1049"),
                       QStringLiteral("--convert-to"), QStringLiteral("fods"),
                       QStringLiteral("--outdir"), work.path(), table});
        QVERIFY(convert.waitForFinished(240000));
        const QByteArray log = convert.readAll();
        QVERIFY2(convert.exitStatus() == QProcess::NormalExit && convert.exitCode() == 0,
                 log.constData());

        const Sheet sheet = readSheet(work.path() + QStringLiteral("/table.fods"));
        const toolrun::Table csv =
            toolrun::parseCsv(files::readBytes(table).mid(3), QLatin1Char(';'));
        QCOMPARE(sheet.size(), csv.rows.size() + 1);
        // The header, "file" first: the byte-order mark was taken as such and ";" as separator.
        QStringList header;
        for (const SheetCell& cell : sheet.first())
            header.append(cell.text);
        QCOMPARE(header, csv.header);
        QCOMPARE(header.first(), QStringLiteral("file"));

        for (qsizetype r = 0; r < csv.rows.size(); ++r) {
            const QList<SheetCell>& row = sheet[r + 1];
            QVERIFY(row.size() <= header.size());
            for (qsizetype c = 0; c < header.size(); ++c) {
                const SheetCell cell = row.value(c);
                const QString written = csv.rows[r].value(c);
                const QString where = QStringLiteral("row %1, %2").arg(r + 1).arg(header[c]);
                QVERIFY2(!cell.formula, qPrintable(where));
                if (cell.type == QLatin1String("float")) {
                    // A number, never a date: the decimal comma is the Russian one.
                    QVERIFY2(QString(cell.value).replace(QLatin1Char('.'), QLatin1Char(',')) ==
                                 written,
                             qPrintable(where + QStringLiteral(": ") + cell.value));
                } else {
                    QVERIFY2(cell.type == QLatin1String("string") || written.isEmpty(),
                             qPrintable(where + QStringLiteral(": ") + cell.type));
                    QVERIFY2(cell.text == written,
                             qPrintable(where + QStringLiteral(": ") + cell.text));
                }
            }
        }
        const auto cellAt = [&](qsizetype row, const char* column) {
            return sheet[row].value(header.indexOf(QLatin1String(column)));
        };
        QCOMPARE(cellAt(2, "grade_algebra").type, QStringLiteral("float"));
        QCOMPARE(cellAt(2, "grade_algebra").value, QStringLiteral("4.3"));
        QCOMPARE(cellAt(1, "grade_physics").type, QString()); // class 5: no physics
        QCOMPARE(cellAt(2, "surname").text, QStringLiteral("Орлова"));
        QCOMPARE(cellAt(2, "desk_mate_1").type, QStringLiteral("string"));
        QCOMPARE(cellAt(2, "desk_mate_1").text, QStringLiteral("'=1+1"));
    }
};

QTEST_GUILESS_MAIN(TestExportSpreadsheet)
#include "tst_exportspreadsheet.moc"
