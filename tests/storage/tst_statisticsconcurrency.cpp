#include "StorageFixture.h"
#include "storage/StatisticsFile.h"
#include "support/FakeClock.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace StatisticsFile;
using files::readBytes;
using files::writeBytes;

namespace {

const QString SaverPath = QStringLiteral(STAT_SAVER_PATH);
const QString FileName7B = QStringLiteral("7Б 0.17c");
const QByteArray CrLf = QByteArrayLiteral("\r\n");
constexpr int ProcessWaitMs = 120000;

QByteArray recordOf(const QByteArray& asciiSurname)
{
    return asciiSurname + QByteArray(12 - asciiSurname.size(), ' ') + StorageFixture::recordTail();
}

void startSaver(QProcess& saver, const QString& workingFolder, const QString& prefix, int count,
                const QStringList& extra = {})
{
    saver.setProgram(SaverPath);
    saver.setArguments(QStringList{workingFolder, prefix, QString::number(count)} + extra);
    saver.setProcessChannelMode(QProcess::SeparateChannels);
    saver.start();
}

// Waits for the saver to say that it stopped at a point of its save.
bool reached(QProcess& saver, const QString& phase)
{
    while (!saver.canReadLine()) {
        if (!saver.waitForReadyRead(ProcessWaitMs))
            return false;
    }
    return saver.readLine().trimmed() == ("reached " + phase).toLatin1();
}

bool finishedWell(QProcess& saver)
{
    if (!saver.waitForFinished(ProcessWaitMs))
        return false;
    if (saver.exitStatus() != QProcess::NormalExit || saver.exitCode() != 0) {
        qWarning("saver failed: %s", saver.readAllStandardError().constData());
        return false;
    }
    return true;
}

// The message of an in-process save, or "<saved>".
QString saveHere(const QString& workingFolder, const QByteArray& surname, int lockTimeoutMs)
{
    SurveyState state = StorageFixture::respondent();
    SaveOptions options;
    options.workingFolder = workingFolder;
    options.lockTimeoutMs = lockTimeoutMs;
    try {
        saveRecord(state, QString::fromLatin1(surname), FakeClock(), options);
    } catch (const SurveyError& e) {
        return e.text();
    }
    return QStringLiteral("<saved>");
}

} // namespace

class TestStatisticsConcurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Workstations saving into one class file at the same moment: every record arrives once,
    // in each saver's own order, and the counter is their number.
    void manySaversIntoOneNewFile()
    {
        constexpr int Savers = 4;
        constexpr int Saves = 50;
        files::WorkingFolder folder;
        std::array<QProcess, Savers> savers;
        for (int i = 0; i < Savers; ++i)
            startSaver(savers[std::size_t(i)], folder.path(), QStringLiteral("p%1").arg(i), Saves);
        for (QProcess& saver : savers)
            QVERIFY(finishedWell(saver));

        const QByteArray contents = readBytes(folder.file(FileName7B));
        QVERIFY(contents.endsWith(CrLf));
        const QList<QByteArray> lines = contents.chopped(2).split('\n');
        QCOMPARE(lines.size(), 1 + Savers * Saves);
        QCOMPARE(lines.first(), QByteArray::number(Savers * Saves) + '\r');
        std::array<int, Savers> next{};
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = i + 1 < lines.size() ? lines[i].chopped(1) : lines[i];
            const int saver = line.at(1) - '0';
            QVERIFY(saver >= 0 && saver < Savers);
            const QByteArray surname = QStringLiteral("p%1-%2")
                                           .arg(saver)
                                           .arg(next[std::size_t(saver)]++, 3, 10, QChar(u'0'))
                                           .toLatin1();
            QCOMPARE(line, recordOf(surname));
        }
        for (int n : next)
            QCOMPARE(n, Saves);
        QCOMPARE(folder.files(), QStringList({FileName7B, "save.lock"}));
    }

    // A saver killed at any point of its save leaves a whole file, old or new, and no lock.
    void killedSaverLeavesAWholeFile_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<bool>("replaced");
        const QByteArray old = "3\r\nA\r\nB\r\nC\r\n";
        for (const char* phase : {"LockTaken", "TempWritten", "BeforeReplace", "Replaced"}) {
            const bool replaced = QByteArray(phase) == "Replaced";
            QTest::addRow("rewrite, %s", phase) << phase << old << replaced;
            QTest::addRow("create, %s", phase) << phase << QByteArray() << replaced;
        }
    }
    void killedSaverLeavesAWholeFile()
    {
        QFETCH(QString, phase);
        QFETCH(QByteArray, old);
        QFETCH(bool, replaced);
        files::WorkingFolder folder;
        if (!old.isEmpty())
            QVERIFY(writeBytes(folder.file(FileName7B), old));
        const QByteArray killedRecord = recordOf("k-000") + CrLf;
        const QByteArray withKilled =
            QByteArray(old.isEmpty() ? "1\r\n" : "4\r\nA\r\nB\r\nC\r\n") + killedRecord;

        QProcess saver;
        startSaver(saver, folder.path(), "k", 1, {"--wait-at", phase});
        QVERIFY(reached(saver, phase));
        if (phase == "BeforeReplace")
            QCOMPARE(readBytes(folder.file(FileName7B + ".tmp")), withKilled);
        saver.kill();
        QVERIFY(saver.waitForFinished(ProcessWaitMs));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        if (replaced)
            QCOMPARE(readBytes(folder.file(FileName7B)), withKilled);
        else if (old.isEmpty())
            QVERIFY(!QFile::exists(folder.file(FileName7B)));
        else
            QCOMPARE(readBytes(folder.file(FileName7B)), old);

        // The lock died with its holder; a stale temporary file is overwritten.
        QCOMPARE(saveHere(folder.path(), "next", 5000), QStringLiteral("<saved>"));
        const QByteArray before = replaced ? withKilled : old;
        const QByteArray expected =
            (before.isEmpty() ? QByteArray("1\r\n")
                              : QByteArray::number(before.left(1).toInt() + 1) + before.mid(1)) +
            recordOf("next") + CrLf;
        QCOMPARE(readBytes(folder.file(FileName7B)), expected);
        QCOMPARE(folder.files(), QStringList({FileName7B, "save.lock"}));
    }

    // Pupils of a lab save as different users of one group: whoever saves first creates the
    // lock file, and it must stay open to the group whatever that user's umask.
    void lockFileIsCreatedForTheGroup_data()
    {
        QTest::addColumn<QString>("umask");
        QTest::newRow("usual 022") << "022";
        QTest::newRow("private 077") << "077";
        QTest::newRow("lab 002") << "002";
    }
    void lockFileIsCreatedForTheGroup()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows files have no Unix modes");
#endif
        QFETCH(QString, umask);
        files::WorkingFolder folder;
        QProcess saver;
        saver.setProgram(QStringLiteral("/bin/sh"));
        saver.setArguments({"-c", "umask " + umask + " && exec \"$0\" \"$@\"", SaverPath,
                            folder.path(), "u", "1"});
        saver.start();
        QVERIFY(finishedWell(saver));
        const QFileDevice::Permissions ownerGroupOther =
            QFile::permissions(folder.file("save.lock")) &
            ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        QCOMPARE(ownerGroupOther, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                      QFileDevice::ReadOther);
        QCOMPARE(readBytes(folder.file(FileName7B)), "1\r\n" + recordOf("u-000") + CrLf);
    }

    // While another saver holds the lock, a save gives up after its time and writes nothing.
    void heldLockMakesTheSaveFailWithoutWriting()
    {
        files::WorkingFolder folder;
        QVERIFY(writeBytes(folder.file(FileName7B), "1\r\nA\r\n"));
        QProcess holder;
        startSaver(holder, folder.path(), "h", 1, {"--wait-at", "LockTaken"});
        QVERIFY(reached(holder, "LockTaken"));

        QCOMPARE(saveHere(folder.path(), "busy", 200),
                 QStringLiteral("Файл статистики сейчас занят: в него записывает другой компьютер "
                                "или программа. Подождите немного и нажмите кнопку ещё раз."));
        QCOMPARE(readBytes(folder.file(FileName7B)), QByteArray("1\r\nA\r\n"));
        QCOMPARE(folder.files(), QStringList({FileName7B, "save.lock"}));

        holder.write("\n");
        holder.closeWriteChannel();
        QVERIFY(finishedWell(holder));
        QCOMPARE(saveHere(folder.path(), "again", 5000), QStringLiteral("<saved>"));
        QCOMPARE(readBytes(folder.file(FileName7B)),
                 "3\r\nA\r\n" + recordOf("h-000") + CrLf + recordOf("again") + CrLf);
    }
};

QTEST_GUILESS_MAIN(TestStatisticsConcurrency)
#include "tst_statisticsconcurrency.moc"
