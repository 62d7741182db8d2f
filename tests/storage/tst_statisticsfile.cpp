#include "StorageFixture.h"
#include "storage/StatisticsFile.h"
#include "support/FakeClock.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace StatisticsFile;
using files::readBytes;
using files::writeBytes;

namespace {

const QString FileName7B = QStringLiteral("7Б 0.17c");
const QByteArray CrLf = QByteArrayLiteral("\r\n");

// "Петров" in Windows-1251, and the whole record of the fixture's respondent under that name.
QByteArray petrovRecord()
{
    return QByteArray("\xcf\xe5\xf2\xf0\xee\xe2") + QByteArray(6, ' ') +
           StorageFixture::recordTail();
}

// What a folder holds, file by file, leaving out the lock file (which a save may create).
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    const QFileInfoList infos = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : infos) {
        if (info.fileName() != QLatin1String("save.lock"))
            entries.insert(info.fileName(),
                           info.isFile() ? readBytes(info.filePath()) : QByteArray("<folder>"));
    }
    return entries;
}

void save(const QString& workingFolder, SurveyState& state, const QString& surname = "Петров",
          const Clock& clock = FakeClock())
{
    SaveOptions options;
    options.workingFolder = workingFolder;
    options.reportUnrealValue = [] { QFAIL("no value is unreal here"); };
    saveRecord(state, surname, clock, options);
}

void save(const QString& workingFolder, const QString& classNumber = "7")
{
    SurveyState state = StorageFixture::respondent(classNumber);
    save(workingFolder, state);
}

// The message of the save that fails, or "<saved>".
QString failureOf(const QString& workingFolder, const QString& classNumber = "7",
                  int* ioCode = nullptr)
{
    try {
        save(workingFolder, classNumber);
    } catch (const InOutError& e) {
        if (ioCode)
            *ioCode = e.code();
        return e.text();
    } catch (const SaveError& e) {
        return e.text();
    }
    return QStringLiteral("<saved>");
}

// A file system of 64 KiB of its own, to fill up or to make read-only. Needs root.
class TinyFileSystem
{
public:
    explicit TinyFileSystem(QString mountPoint) : m_mountPoint(std::move(mountPoint)) {}
    ~TinyFileSystem()
    {
        if (m_mounted && !run({"umount", m_mountPoint}))
            run({"umount", "-l", m_mountPoint});
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool mount()
    {
        QDir().mkpath(m_mountPoint);
        m_mounted = run({"mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", m_mountPoint});
        return m_mounted;
    }
    bool remount(const QString& mode)
    {
        return run({"mount", "-o", "remount," + mode, m_mountPoint});
    }
    QString error() const { return m_error; }

private:
    bool run(const QStringList& command)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.first(), command.mid(1));
        if (!process.waitForFinished(30000)) {
            m_error = command.first() + QStringLiteral(": ") + process.errorString();
            return false;
        }
        m_error = QString::fromLocal8Bit(process.readAll()).trimmed();
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QString m_mountPoint;
    bool m_mounted = false;
    QString m_error;
};

} // namespace

class TestStatisticsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileNames_data()
    {
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("name");
        QTest::newRow("7 Б 2017") << "7"
                                  << "Б" << 2017 << "7Б 0.17c";
        QTest::newRow("7 Б 2009") << "7"
                                  << "Б" << 2009 << "7Б 0.09c";
        QTest::newRow("no stream") << "7"
                                   << "" << 2017 << "7 0.17c";
        QTest::newRow("11 А 2000") << "11"
                                   << "А" << 2000 << "11А 0.00c";
    }
    void fileNames()
    {
        QFETCH(QString, classNumber);
        QFETCH(QString, stream);
        QFETCH(int, year);
        QFETCH(QString, name);
        QCOMPARE(fileName(classNumber, stream, year), name);
    }

    // The name comes from the clock at the moment of saving; on disk it is an ordinary name.
    void savesUnderTheNameOfItsYear_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("name");
        QTest::newRow("2017") << "Б" << QDateTime(QDate(2017, 3, 14), QTime(10, 0)) << "7Б 0.17c";
        QTest::newRow("2009") << "Б" << QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59))
                              << "7Б 0.09c";
        QTest::newRow("no stream") << "" << QDateTime(QDate(2017, 1, 1), QTime(0, 0)) << "7 0.17c";
    }
    void savesUnderTheNameOfItsYear()
    {
        QFETCH(QString, stream);
        QFETCH(QDateTime, now);
        QFETCH(QString, name);
        files::WorkingFolder folder;
        SurveyState state = StorageFixture::respondent("7", stream);
        save(folder.path(), state, "Петров", FakeClock(now));
        QCOMPARE(QDir(folder.stat()).entryList(QDir::Files, QDir::Name),
                 QStringList({name, "save.lock"}));
        QCOMPARE(readBytes(folder.file(name)), "1\r\n" + petrovRecord() + "\r\n");
    }

    void surnameIsTheBoxTextFitted_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("short") << "Петров"
                               << "Петров      " << QByteArray("\xcf\xe5\xf2\xf0\xee\xe2      ");
        QTest::newRow("empty") << ""
                               << "            " << QByteArray(12, ' ');
        QTest::newRow("15 letters") << "Петровский-Кар" + QStringLiteral("о") << "Петровский-К"
                                    << QByteArray("\xcf\xe5\xf2\xf0\xee\xe2\xf1\xea\xe8\xe9-\xca");
        QTest::newRow("é and tab") << "Rene\tée"
                                   << "Rene\tée     " << QByteArray("Rene ?e     ");
    }
    void surnameIsTheBoxTextFitted()
    {
        QFETCH(QString, box);
        QFETCH(QString, surname);
        QFETCH(QByteArray, bytes);
        files::WorkingFolder folder;
        SurveyState state = StorageFixture::respondent();
        save(folder.path(), state, box);
        QCOMPARE(state.Surname, surname);
        QCOMPARE(readBytes(folder.file(FileName7B)),
                 "1\r\n" + bytes + StorageFixture::recordTail() + CrLf);
    }

    void unrealValueIsReportedAndTheRecordWrittenInFull()
    {
        files::WorkingFolder folder;
        SurveyState state = StorageFixture::respondent();
        state.DemandingTeachersSeconds = 1000;
        int reported = 0;
        SaveOptions options;
        options.workingFolder = folder.path();
        options.reportUnrealValue = [&reported] { ++reported; };
        saveRecord(state, "Петров", FakeClock(), options);
        QCOMPARE(reported, 1);
        const QByteArray record = petrovRecord().chopped(12) + "1000        ";
        QCOMPARE(readBytes(folder.file(FileName7B)), "1\r\n" + record + CrLf);
    }

    void savesCountUp()
    {
        files::WorkingFolder folder;
        SurveyState first = StorageFixture::respondent();
        save(folder.path(), first, "Петров");
        SurveyState second = StorageFixture::respondent();
        save(folder.path(), second, "Ann");
        SurveyState third = StorageFixture::respondent();
        save(folder.path(), third, "Петров");
        const QByteArray ann = "Ann" + QByteArray(9, ' ') + StorageFixture::recordTail();
        QCOMPARE(readBytes(folder.file(FileName7B)),
                 "3\r\n" + petrovRecord() + CrLf + ann + CrLf + petrovRecord() + CrLf);
    }

    // Old lines are copied as their bytes, whatever their code page or line ends were.
    void existingFileIsRewritten_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray r = petrovRecord() + CrLf;
        QTest::newRow("zero length") << QByteArray("") << "1\r\n" + r;
        QTest::newRow("counter 5, two records")
            << QByteArray("5\r\nfirst\r\nsecond\r\n") << "6\r\nfirst\r\nsecond\r\n" + r;
        QTest::newRow("LF only, cp1251 bytes")
            << QByteArray("2\n\xcf\xe5\xf2\xf0\xee\xe2 \xc0\xff\nline \xa8\xb8\xb9\n")
            << "3\r\n\xcf\xe5\xf2\xf0\xee\xe2 \xc0\xff\r\nline \xa8\xb8\xb9\r\n" + r;
        QTest::newRow("CR only") << QByteArray("2\rA\rB\r") << "3\r\nA\r\nB\r\n" + r;
        QTest::newRow("mixed, no final line end")
            << QByteArray("2\r\nA\nB\rC") << "3\r\nA\r\nB\r\nC\r\n" + r;
        QTest::newRow("empty inner line")
            << QByteArray("3\r\nA\r\n\r\nB\r\n") << "4\r\nA\r\n\r\nB\r\n" + r;
        QTest::newRow("LF CR is two line ends") << QByteArray("1\n\rA\r\n") << "2\r\n\r\nA\r\n" + r;
        QTest::newRow("empty last line") << QByteArray("1\r\nA\r\n\r\n") << "2\r\nA\r\n\r\n" + r;
        QTest::newRow("blanks before the counter")
            << QByteArray("   7\r\nA\r\n") << "8\r\nA\r\n" + r;
        QTest::newRow("counter alone, no line end") << QByteArray("0") << "1\r\n" + r;
        QTest::newRow("leading zeros") << QByteArray("0041\r\nA\r\n") << "42\r\nA\r\n" + r;
        QTest::newRow("undefined byte and NUL kept")
            << QByteArray("1\r\nA\x98\0B\r\n", 9) << QByteArray("2\r\nA\x98\0B\r\n", 9) + r;
        QTest::newRow("counter beyond 32 bits")
            << QByteArray("4294967296\r\n") << "4294967297\r\n" + r;
    }
    void existingFileIsRewritten()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, expected);
        files::WorkingFolder folder;
        QVERIFY(writeBytes(folder.file(FileName7B), old));
        save(folder.path());
        QCOMPARE(readBytes(folder.file(FileName7B)), expected);
        QCOMPARE(QDir(folder.stat()).entryList(QDir::Files, QDir::Name),
                 QStringList({FileName7B, "save.lock"}));
    }

    // The old file is read on a buffer at a time: however its lines fall across the reads, it
    // is rewritten the same. Buffers of one to three bytes put every line end on a border.
    void rewrittenAlikeWhateverTheReads_data() { existingFileIsRewritten_data(); }
    void rewrittenAlikeWhateverTheReads()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, expected);
        for (const int bufferBytes : {1, 2, 3, 5}) {
            files::WorkingFolder folder;
            QVERIFY(writeBytes(folder.file(FileName7B), old));
            SurveyState state = StorageFixture::respondent("7");
            SaveOptions options;
            options.workingFolder = folder.path();
            options.reportUnrealValue = [] { QFAIL("no value is unreal here"); };
            options.readBufferBytes = bufferBytes;
            saveRecord(state, "Петров", FakeClock(), options);
            const QByteArray saved = readBytes(folder.file(FileName7B));
            if (saved != expected)
                qWarning("read through a buffer of %d bytes", bufferBytes);
            QCOMPARE(saved, expected);
        }
    }

    // Several buffers of lines with every kind of line end: the save writes what the rule for
    // the whole file gives.
    void largeMixedFileIsRewrittenByTheRule()
    {
        QByteArray old = "41\r\n";
        const char* const ends[] = {"\r\n", "\n", "\r", "\r\n", "\n\r"};
        quint32 seed = 12345;
        while (old.size() < 3 * 1024 * 1024 + 17) {
            seed = seed * 1103515245u + 12345u;
            old += QByteArray(static_cast<int>(seed >> 24) % 900, 'x') + ends[(seed >> 8) % 5];
        }
        old += "last line without an end";
        // A CR LF across the end of the first read, and a lone CR at the end of the second.
        old.replace(SaveOptions().readBufferBytes - 1, 2, "\r\n");
        old.replace(2 * SaveOptions().readBufferBytes - 2, 2, "\rx");
        files::WorkingFolder folder;
        QVERIFY(writeBytes(folder.file(FileName7B), old));
        save(folder.path());
        QCOMPARE(readBytes(folder.file(FileName7B)), contentsAfterSave(old, petrovRecord()));
    }

    void staleTemporaryFileIsOverwritten()
    {
        files::WorkingFolder folder;
        QVERIFY(writeBytes(folder.file(FileName7B), "1\r\nA\r\n"));
        QVERIFY(writeBytes(folder.file(FileName7B + ".tmp"), QByteArray(5000, 'x')));
        save(folder.path());
        QCOMPARE(readBytes(folder.file(FileName7B)), "2\r\nA\r\n" + petrovRecord() + CrLf);
        QVERIFY(!QFile::exists(folder.file(FileName7B + ".tmp")));
    }

    // Each failure writes nothing; once the cause is gone the same save succeeds.
    void failuresWriteNothing_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("ioCode");
        QTest::newRow("STAT missing") << "no STAT" << QByteArray() << "Invalid filename" << 3;
        QTest::newRow("STAT is a file") << "STAT file" << QByteArray() << "Invalid filename" << 3;
        QTest::newRow("folder in the file's place")
            << "folder" << QByteArray() << "File access denied" << 5;
        QTest::newRow("counter abc")
            << "" << QByteArray("abc\r\nA\r\n") << "'abc' is not a valid integer value" << 0;
        QTest::newRow("empty counter line")
            << "" << QByteArray("\r\nA\r\n") << "'' is not a valid integer value" << 0;
        QTest::newRow("blank after the digits")
            << "" << QByteArray("5 \r\nA\r\n") << "'5 ' is not a valid integer value" << 0;
        QTest::newRow("hexadecimal")
            << "" << QByteArray("$1F\r\nA\r\n") << "'$1F' is not a valid integer value" << 0;
        QTest::newRow("beyond 64 bits")
            << "" << QByteArray("9223372036854775807\r\n")
            << "'9223372036854775807' is not a valid integer value" << 0;
        // 200 characters of garbage: cp1251 letters, a tab, a NUL, the undefined byte.
        QByteArray garbage;
        while (garbage.size() < 200)
            garbage += QByteArray("7 \xd1\xf7\xb8\xf2\t\0\x98#", 10);
        garbage.truncate(200);
        QTest::newRow("200 characters of garbage")
            << "" << garbage + "\r\nA\r\n"
            << "'7 Счёт???#7 Счёт???#7 Счёт???#7 Счёт???#7 Счёт???#7 Счёт???#' is not a valid "
               "integer value"
            << 0;
    }
    void failuresWriteNothing()
    {
        QFETCH(QString, obstacle);
        QFETCH(QByteArray, old);
        QFETCH(QString, message);
        QFETCH(int, ioCode);
        files::WorkingFolder folder;
        if (obstacle == "no STAT" || obstacle == "STAT file")
            QVERIFY(QDir(folder.path()).rmdir("STAT"));
        if (obstacle == "STAT file")
            QVERIFY(writeBytes(folder.stat(), "not a folder"));
        if (obstacle == "folder")
            QVERIFY(QDir(folder.stat()).mkdir(FileName7B));
        if (!old.isEmpty())
            QVERIFY(writeBytes(folder.file(FileName7B), old));
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        const QMap<QString, QByteArray> statBefore = snapshot(folder.stat());

        int code = 0;
        QCOMPARE(failureOf(folder.path(), "7", &code), message);
        QCOMPARE(code, ioCode);
        QCOMPARE(snapshot(folder.path()), before);
        QCOMPARE(snapshot(folder.stat()), statBefore);

        // The cause removed, pressing the button again saves.
        if (obstacle == "STAT file")
            QVERIFY(QFile::remove(folder.stat()));
        if (obstacle == "no STAT" || obstacle == "STAT file")
            QVERIFY(QDir(folder.path()).mkdir("STAT"));
        if (obstacle == "folder")
            QVERIFY(QDir(folder.stat()).rmdir(FileName7B));
        if (!old.isEmpty())
            QVERIFY(writeBytes(folder.file(FileName7B), "4\r\nA\r\n"));
        QCOMPARE(failureOf(folder.path()), QStringLiteral("<saved>"));
        QCOMPARE(readBytes(folder.file(FileName7B)),
                 (old.isEmpty() ? "1\r\n" : "5\r\nA\r\n") + petrovRecord() + CrLf);
    }

    // A file that exists but cannot be read. Root reads whatever the file modes say; reading the
    // start of a process's own memory file fails for everyone.
    void unreadableFileIsReportedAndKept()
    {
#ifdef Q_OS_LINUX
        files::WorkingFolder folder;
        QVERIFY(QFile::link("/proc/self/mem", folder.file(FileName7B)));
        QCOMPARE(failureOf(folder.path()),
                 QStringLiteral("Cannot open file \"STAT/7Б 0.17c\". The request could not be "
                                "performed because of an I/O device error."));
        QCOMPARE(QFileInfo(folder.file(FileName7B)).symLinkTarget(),
                 QStringLiteral("/proc/self/mem"));
        QCOMPARE(QDir(folder.stat()).entryList(QDir::Files | QDir::System, QDir::Name),
                 QStringList({FileName7B, "save.lock"}));

        QVERIFY(QFile::remove(folder.file(FileName7B)));
        QCOMPARE(failureOf(folder.path()), QStringLiteral("<saved>"));
#else
        QSKIP("needs a file whose reading fails: /proc/self/mem on Linux");
#endif
    }

    void readOnlyFileSystem_data()
    {
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("message");
        QTest::newRow("existing file") << "7"
                                       << "Cannot create file \"STAT/7Б 0.17c\". Access is denied.";
        QTest::newRow("new file") << "8"
                                  << "File access denied";
    }
    void readOnlyFileSystem()
    {
        QFETCH(QString, classNumber);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString root = dir.path() + "/fs";
        TinyFileSystem fileSystem(root);
        if (!fileSystem.mount())
            QSKIP(qPrintable("cannot mount a tmpfs here (needs root): " + fileSystem.error()));
        QVERIFY(QDir(root).mkdir("STAT"));
        save(root, "7");
        QVERIFY(fileSystem.remount("ro"));
        const QMap<QString, QByteArray> before = snapshot(root + "/STAT");

        QCOMPARE(failureOf(root, classNumber), message);
        QCOMPARE(snapshot(root + "/STAT"), before);

        QVERIFY(fileSystem.remount("rw"));
        QCOMPARE(failureOf(root, classNumber), QStringLiteral("<saved>"));
    }

    void fullFileSystem_data()
    {
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("message");
        QTest::newRow("existing file")
            << "7"
            << "Cannot create file \"STAT/7Б 0.17c\". There is not enough space on the disk.";
        QTest::newRow("new file") << "8"
                                  << "Disk full";
    }
    void fullFileSystem()
    {
        QFETCH(QString, classNumber);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString root = dir.path() + "/fs";
        TinyFileSystem fileSystem(root);
        if (!fileSystem.mount())
            QSKIP(qPrintable("cannot mount a tmpfs here (needs root): " + fileSystem.error()));
        QVERIFY(QDir(root).mkdir("STAT"));
        save(root, "7");
        {
            QFile filler(root + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size()) {
            }
            while (filler.write("f", 1) == 1) {
            }
        }
        const QMap<QString, QByteArray> before = snapshot(root + "/STAT");

        QCOMPARE(failureOf(root, classNumber), message);
        QCOMPARE(snapshot(root + "/STAT"), before);

        QVERIFY(QFile::remove(root + "/filler"));
        QCOMPARE(failureOf(root, classNumber), QStringLiteral("<saved>"));
    }

    // Causes that the tests cannot bring about on this machine, by their system codes.
    void systemErrorsGiveTheirTexts_data()
    {
        QTest::addColumn<int>("native");
        QTest::addColumn<QString>("creation");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
#ifdef _WIN32
        QTest::newRow("file not found")
            << 2 << "File not found" << 2 << "The system cannot find the file specified.";
        QTest::newRow("path not found")
            << 3 << "Invalid filename" << 3 << "The system cannot find the path specified.";
        QTest::newRow("too many") << 4 << "Too many open files" << 4
                                  << "The system cannot open the file.";
        QTest::newRow("denied") << 5 << "File access denied" << 5 << "Access is denied.";
        QTest::newRow("sharing") << 32 << "I/O error 32" << 32
                                 << "The process cannot access the file because it is being used "
                                    "by another process.";
        QTest::newRow("disk full")
            << 112 << "Disk full" << 101 << "There is not enough space on the disk.";
#else
        const QString notFound = "The system cannot find the path specified.";
        const QString denied = "Access is denied.";
        const QString full = "There is not enough space on the disk.";
        QTest::newRow("ENOENT") << ENOENT << "Invalid filename" << 3 << notFound;
        QTest::newRow("ENOTDIR") << ENOTDIR << "Invalid filename" << 3 << notFound;
        QTest::newRow("EACCES") << EACCES << "File access denied" << 5 << denied;
        QTest::newRow("EPERM") << EPERM << "File access denied" << 5 << denied;
        QTest::newRow("EROFS") << EROFS << "File access denied" << 5 << denied;
        QTest::newRow("EISDIR") << EISDIR << "File access denied" << 5 << denied;
        QTest::newRow("EMFILE") << EMFILE << "Too many open files" << 4
                                << "The system cannot open the file.";
        QTest::newRow("ENFILE") << ENFILE << "Too many open files" << 4
                                << "The system cannot open the file.";
        QTest::newRow("ENOSPC") << ENOSPC << "Disk full" << 101 << full;
        QTest::newRow("EDQUOT") << EDQUOT << "Disk full" << 101 << full;
        QTest::newRow("EIO") << EIO << "I/O error 5" << 5
                             << "The request could not be performed because of an I/O device "
                                "error.";
        QTest::newRow("EXDEV") << EXDEV << QString("I/O error %1").arg(EXDEV) << EXDEV
                               << QString("System error %1.").arg(EXDEV);
#endif
    }
    void systemErrorsGiveTheirTexts()
    {
        QFETCH(int, native);
        QFETCH(QString, creation);
        QFETCH(int, code);
        QFETCH(QString, reason);
        const OsPlatform::Error error = OsPlatform::errorFromNativeCode(native);
        QCOMPARE(error.code, native);
        const InOutError e = creationError(error);
        QCOMPARE(e.text(), creation);
        QCOMPARE(e.code(), code);
        QCOMPARE(reasonText(error), reason);
    }
};

QTEST_GUILESS_MAIN(TestStatisticsFile)
#include "tst_statisticsfile.moc"
