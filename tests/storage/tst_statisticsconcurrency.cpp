#include "StorageFixture.h"
#include "storage/StatisticsFile.h"
#include "support/FakeClock.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <span>

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

// The message of an in-process save, or "<saved>". The phases it went through and the times it
// said it was waiting for the lock are added to the lists given.
QString saveHere(const QString& workingFolder, const QByteArray& surname, int lockTimeoutMs,
                 QList<SavePhase>* phases = nullptr, int* waitsAnnounced = nullptr)
{
    SurveyState state = StorageFixture::respondent();
    SaveOptions options;
    options.workingFolder = workingFolder;
    options.lockTimeoutMs = lockTimeoutMs;
    if (phases)
        options.phaseHook = [phases](SavePhase phase) { phases->append(phase); };
    if (waitsAnnounced)
        options.waitingForLock = [waitsAnnounced] { ++*waitsAnnounced; };
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
    void manySaversIntoOneNewFile_data()
    {
        QTest::addColumn<int>("savers");
        QTest::addColumn<int>("saves");
        QTest::newRow("4 x 50") << 4 << 50;
#ifndef SURVEY_SANITIZED_BUILD
        QTest::newRow("8 x 100") << 8 << 100; // a whole lab; too slow under the sanitizers
#endif
    }
    void manySaversIntoOneNewFile()
    {
        QFETCH(int, savers);
        QFETCH(int, saves);
        constexpr int MaxSavers = 8;
        QVERIFY(savers <= MaxSavers);
        files::WorkingFolder folder;
        std::array<QProcess, MaxSavers> processes;
        const auto saverProcesses = std::span(processes).first(std::size_t(savers));
        // Each saver goes straight on to its next save and polls for the lock, so one may be
        // passed over for a long time; this is about every record arriving, not about the wait
        // of one pupil (at most the others' saves, which a real lab does once each).
        for (int i = 0; i < savers; ++i)
            startSaver(processes[std::size_t(i)], folder.path(), QStringLiteral("p%1").arg(i),
                       saves, {"--lock-timeout", QString::number(ProcessWaitMs)});
        for (QProcess& saver : saverProcesses)
            QVERIFY(finishedWell(saver));

        const QByteArray contents = readBytes(folder.file(FileName7B));
        QVERIFY(contents.endsWith(CrLf));
        const QList<QByteArray> lines = contents.chopped(2).split('\n');
        QCOMPARE(lines.size(), 1 + savers * saves);
        QCOMPARE(lines.first(), QByteArray::number(savers * saves) + '\r');
        std::array<int, MaxSavers> next{};
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = i + 1 < lines.size() ? lines[i].chopped(1) : lines[i];
            const int saver = line.at(1) - '0';
            QVERIFY(saver >= 0 && saver < savers);
            const QByteArray surname = QStringLiteral("p%1-%2")
                                           .arg(saver)
                                           .arg(next[std::size_t(saver)]++, 3, 10, QChar(u'0'))
                                           .toLatin1();
            QCOMPARE(line, recordOf(surname));
        }
        for (int n : std::span(next).first(std::size_t(savers)))
            QCOMPARE(n, saves);
        QCOMPARE(folder.files(), QStringList({FileName7B, "save.lock"}));
    }

    // Savers killed again and again at moments nobody chose: after every kill the file is
    // whole, its counter is the number of its records, and no record that was saved is lost.
    void saversKilledAtRandomMoments()
    {
#ifdef SURVEY_SANITIZED_BUILD
        constexpr int Kills = 40;
#else
        constexpr int Kills = 200;
#endif
        files::WorkingFolder folder;
        QRandomGenerator random(20260412); // the same moments' spread on every run
        qsizetype records = 0;
        int killedInTheMiddle = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            QProcess saver;
            startSaver(saver, folder.path(), QStringLiteral("k"), 1000, {"--announce", "yes"});
            // Into the save of a random number, then a random amount of work more: the kill
            // lands anywhere from before the lock to after the replace.
            const int wantedSave = int(random.bounded(3));
            int announced = -1;
            while (announced < wantedSave) {
                while (!saver.canReadLine())
                    QVERIFY2(saver.waitForReadyRead(ProcessWaitMs), "the saver said nothing");
                const QByteArray line = saver.readLine().trimmed();
                QVERIFY2(line.startsWith("saving "), line.constData());
                announced = line.mid(7).toInt();
            }
            for (quint32 spin = random.bounded(4000u); spin > 0; --spin)
                (void)QFileInfo::exists(folder.file(FileName7B)); // a system call's worth of time
            saver.kill();
            QVERIFY(saver.waitForFinished(ProcessWaitMs));
            if (saver.exitStatus() == QProcess::CrashExit)
                ++killedInTheMiddle;

            const QByteArray contents = readBytes(folder.file(FileName7B));
            if (contents.isEmpty()) {
                QCOMPARE(records, 0); // no save had got as far as the replace yet
                continue;
            }
            QVERIFY2(contents.endsWith(CrLf), qPrintable(QStringLiteral("kill %1").arg(kill)));
            const QList<QByteArray> lines = contents.chopped(2).split('\n');
            const QByteArray counter = lines.first().chopped(1);
            bool isNumber = false;
            QCOMPARE(counter.toInt(&isNumber), lines.size() - 1);
            QVERIFY(isNumber);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QByteArray line = i + 1 < lines.size() ? lines[i].chopped(1) : lines[i];
                QCOMPARE(line.size(), 804);
                QVERIFY2(line.startsWith("k-"), line.left(12).constData());
                QCOMPARE(line.mid(12), StorageFixture::recordTail());
            }
            // Every save announced before the last one had finished.
            QVERIFY(lines.size() - 1 >= records + announced);
            records = lines.size() - 1;
        }
        QVERIFY(records >= Kills);
        QVERIFY(killedInTheMiddle == Kills); // the savers had 1000 saves to go: none finished
        // The lock died with every holder: the next save goes through at once.
        QCOMPARE(saveHere(folder.path(), "after", 0), QStringLiteral("<saved>"));
        QCOMPARE(readBytes(folder.file(FileName7B)).left(QByteArray::number(records + 1).size()),
                 QByteArray::number(records + 1));
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

        QList<SavePhase> phases;
        int waitsAnnounced = 0;
        QCOMPARE(saveHere(folder.path(), "busy", 200, &phases, &waitsAnnounced),
                 QStringLiteral("Файл статистики сейчас занят: в него записывает другой компьютер "
                                "или программа. Подождите немного и нажмите кнопку ещё раз."));
        // The window is told once, before the wait, so that it can show that it is busy.
        QCOMPARE(waitsAnnounced, 1);
        QCOMPARE(phases, QList<SavePhase>{SavePhase::WaitingForLock});
        QCOMPARE(readBytes(folder.file(FileName7B)), QByteArray("1\r\nA\r\n"));
        QCOMPARE(folder.files(), QStringList({FileName7B, "save.lock"}));

        holder.write("\n");
        holder.closeWriteChannel();
        QVERIFY(finishedWell(holder));
        phases.clear();
        QCOMPARE(saveHere(folder.path(), "again", 5000, &phases, &waitsAnnounced),
                 QStringLiteral("<saved>"));
        QCOMPARE(waitsAnnounced, 1); // the lock was free: no waiting
        QCOMPARE(phases.first(), SavePhase::LockTaken);
        QCOMPARE(readBytes(folder.file(FileName7B)),
                 "3\r\nA\r\n" + recordOf("h-000") + CrLf + recordOf("again") + CrLf);
    }
};

QTEST_GUILESS_MAIN(TestStatisticsConcurrency)
#include "tst_statisticsconcurrency.moc"
