// The report in a real browser: headless Chromium takes a screenshot at 1280 pixels and prints
// the page to PDF; poppler's tools then say what the print holds. The screenshot and the PDF stay
// in the screenshot folder, to be looked at.

#include "ReportClasses.h"
#include "support/Files.h"
#include "support/Screenshots.h"
#include "tools/Tool.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, arguments);
    Run r;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        r.err = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        return r;
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString need(const char* program)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (path.isEmpty())
        qWarning("%s is missing: scripts/install-deps.sh --tests installs it", program);
    return path;
}

} // namespace

class TestReportBrowser : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_html;
    QString m_chromium;

    // Headless Chromium as the test runs it: as root it needs --no-sandbox; a fresh profile
    // each time, and nothing fetched from the network.
    Run chromium(const QStringList& action)
    {
        QTemporaryDir profile;
        QStringList arguments{
            QStringLiteral("--headless"),     QStringLiteral("--no-sandbox"),
            QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
            QStringLiteral("--disable-gpu"),  QStringLiteral("--user-data-dir=") + profile.path()};
        arguments << action << QUrl::fromLocalFile(m_html).toString();
        return run(m_chromium, arguments);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_chromium = need("chromium");
        QVERIFY(!m_chromium.isEmpty());
        QVERIFY(!need("pdftotext").isEmpty());
        QVERIFY(!need("pdfinfo").isEmpty());
        QDir(m_folder.path()).mkdir(QStringLiteral("STAT"));
        ReportClasses::writeSchool(m_folder.path());
        m_html = screenshotPath(QStringLiteral("report.html"));
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = SurveyData::run(
            {QStringLiteral("report"), m_folder.path(), QStringLiteral("-o"), m_html}, out, err,
            false, false);
        QVERIFY2(status == SurveyData::Success, err.data().constData());
    }

    void screenshotAt1280()
    {
        const QString png = screenshotPath(QStringLiteral("report-1280.png"));
        QFile::remove(png);
        const Run r =
            chromium({QStringLiteral("--window-size=1280,3000"),
                      QStringLiteral("--hide-scrollbars"), QStringLiteral("--screenshot=") + png});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QByteArray bytes = files::readBytes(png);
        QVERIFY2(bytes.startsWith("\x89PNG"), qPrintable(r.err));
    }

    // The print: A4 pages only, every name as text, and the forty-pupil matrix on one page of
    // its own, landscape, from its heading to its row of totals.
    void printedOnA4()
    {
        const QString pdf = screenshotPath(QStringLiteral("report.pdf"));
        QFile::remove(pdf);
        const Run printed = chromium(
            {QStringLiteral("--no-pdf-header-footer"), QStringLiteral("--print-to-pdf=") + pdf});
        QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(printed.err));

        const Run info =
            run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                            QStringLiteral("-l"), QStringLiteral("999"), pdf});
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        static const QRegularExpression sizeLine(
            QStringLiteral("^Page +(\\d+) size: +([\\d.]+) x ([\\d.]+) pts(.*)$"),
            QRegularExpression::MultilineOption);
        std::vector<bool> landscape;
        for (auto it = sizeLine.globalMatch(info.out); it.hasNext();) {
            const auto match = it.next();
            QVERIFY2(match.captured(4).contains(QStringLiteral("A4")),
                     qPrintable(match.captured(0)));
            landscape.push_back(match.captured(2).toDouble() > match.captured(3).toDouble());
        }
        QVERIFY2(landscape.size() >= 4, qPrintable(info.out));

        const auto pageText = [&](std::size_t page) {
            const QString n = QString::number(page);
            return run(QStringLiteral("pdftotext"),
                       {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")})
                .out;
        };
        QString all;
        std::optional<std::size_t> matrixPage;
        for (std::size_t page = 1; page <= landscape.size(); ++page) {
            const QString text = pageText(page);
            all += text;
            if (text.contains(QStringLiteral("Социоматрица: класс 11А")))
                matrixPage = page;
        }
        for (const auto& pupil : ReportClasses::hostilePupils())
            QVERIFY2(all.contains(pupil.surname), qPrintable(pupil.surname));
        QVERIFY(all.contains(QStringLiteral("Класс 6Б — 2016 год")));
        QVERIFY(matrixPage);
        QVERIFY2(landscape[*matrixPage - 1], "the forty-pupil matrix is not on a landscape page");
        const QString matrix = pageText(*matrixPage);
        for (const QString& name : RosterFixtures::surnames())
            QVERIFY2(matrix.count(name) >= 1, qPrintable(name));
        QVERIFY(matrix.contains(QStringLiteral("Получено выборов")));
    }
};

QTEST_GUILESS_MAIN(TestReportBrowser)
#include "tst_reportbrowser.moc"
