#include "core/safesave.h"

#include "../support/testfiles.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Ends writes past a size in this process, as a quota would; the signal
// that would kill the process is ignored so the write returns EFBIG.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.saving-*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestSafeSave : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void plainWrite_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode"); // of the old file, -1 for none
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("new file") << QByteArray() << -1 << QByteArray("[Main Window]\nwidth=915\n");
        QTest::newRow("over an old file, its permissions kept")
            << QByteArray("old text that is longer than the new one\n") << 0640 << QByteArray("new\n");
        QTest::newRow("a read-only old file") << QByteArray("old\n") << 0444 << QByteArray("new\n");
        QTest::newRow("empty content") << QByteArray("old\n") << 0600 << QByteArray();
        QTest::newRow("a megabyte with NUL bytes")
            << QByteArray("old\n") << 0644 << QByteArray(1 << 20, '\0') + QByteArray("end");
    }
    void plainWrite()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("webaddresses.wam"));
        if (mode >= 0) {
            QVERIFY(TestFiles::write(path, old));
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        }
        const SafeSave::Outcome outcome = SafeSave::write(path, bytes);
        QVERIFY2(outcome.ok, qPrintable(outcome.cause));
        QVERIFY(outcome.cause.isEmpty());
        QCOMPARE(TestFiles::read(path), bytes);
        if (mode >= 0) {
            struct stat info;
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
            QCOMPARE(int(info.st_mode & 07777), mode);
        }
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"webaddresses.wam"});
    }

    // Run as root on a user's file (sudo), the new version stays the user's.
    void ownerIsKept()
    {
        if (::geteuid() != 0)
            QSKIP("Only root can give a file to another user");
        const QString path = m_dir.filePath(QStringLiteral("Vorlan.conf"));
        QVERIFY(TestFiles::write(path, "old\n"));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chown(name.constData(), 4242, 4343), 0);
        QVERIFY(SafeSave::write(path, "new\n").ok);
        struct stat info;
        QCOMPARE(::stat(name.constData(), &info), 0);
        QCOMPARE(int(info.st_uid), 4242);
        QCOMPARE(int(info.st_gid), 4343);
    }

    // A file kept elsewhere and linked in (dotfiles) stays linked: the
    // content goes where the link points.
    void writesThroughASymbolicLink()
    {
        const QString real = m_dir.filePath(QStringLiteral("dotfiles/Vorlan.conf"));
        const QString link = m_dir.filePath(QStringLiteral("Vorlan.conf"));
        QVERIFY(TestFiles::write(real, "old\n"));
        QVERIFY(QFile::link(real, link));
        QVERIFY(SafeSave::write(link, "new\n").ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(TestFiles::read(real), QByteArray("new\n"));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
        QVERIFY(leftovers(m_dir.filePath(QStringLiteral("dotfiles"))).isEmpty());
    }

    // A writer killed mid-write leaves "<file>.saving-<pid>-<random>"; the
    // next save of that file removes it once that process is gone, and never
    // touches the temporary file of a live one.
    void leftoversOfDeadWritersGo()
    {
        const QString path = m_dir.filePath(QStringLiteral("panes.txt"));
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 goneId = gone.processId();
        QVERIFY(gone.waitForFinished());
        const QString dead = path + QStringLiteral(".saving-%1-abc").arg(goneId);
        const QString dead2 = path + QStringLiteral(".saving-999999999-x");
        const QString live = path + QStringLiteral(".saving-%1-zz").arg(::getpid());
        const QString other = m_dir.filePath(QStringLiteral("other.txt.saving-999999999-x"));
        for (const QString &file : {dead, dead2, live, other})
            QVERIFY(TestFiles::write(file, "half"));
        QVERIFY(SafeSave::write(path, "whole\n").ok);
        QCOMPARE(TestFiles::read(path), QByteArray("whole\n"));
        QVERIFY(!QFileInfo::exists(dead));
        QVERIFY(!QFileInfo::exists(dead2));
        QVERIFY(QFileInfo::exists(live));
        QVERIFY(QFileInfo::exists(other));
    }

    void failureKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("hasOld");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        QTest::newRow("full disk") << "full" << true << "the disk is full"
                                   << "Could not save the web addresses: the disk is full. The earlier file is kept.";
        QTest::newRow("read-only disk")
            << "read-only" << true << "the folder is on a read-only disk"
            << "Could not save the web addresses: the folder is on a read-only disk. The earlier file is kept.";
        QTest::newRow("missing folder")
            << "missing" << false << "the folder does not exist"
            << "Could not save the web addresses: the folder does not exist. Nothing was written.";
        QTest::newRow("file size limit midway")
            << "limit" << true << "the file is too large"
            << "Could not save the web addresses: the file is too large. The earlier file is kept.";
        QTest::newRow("a folder of that name")
            << "folder" << false << "a folder has that name"
            << "Could not save the web addresses: a folder has that name. Nothing was written.";
    }
    void failureKeepsTheOldFile()
    {
        QFETCH(QString, setting);
        QFETCH(bool, hasOld);
        QFETCH(QString, cause);
        QFETCH(QString, message);
        const QString folder = m_dir.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(folder));
        std::unique_ptr<SmallDisk> disk;
        if (setting == QLatin1String("full") || setting == QLatin1String("read-only")) {
            disk = std::make_unique<SmallDisk>(folder);
            if (!disk->available())
                QSKIP("A small tmpfs cannot be mounted here (needs root).");
        }
        QString path = folder + QStringLiteral("/webaddresses.wam");
        if (setting == QLatin1String("missing"))
            path = m_dir.filePath(QStringLiteral("gone/webaddresses.wam"));
        if (setting == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        const QByteArray old = QByteArray("[Favorites]\r\nold entry\r\n").repeated(40);
        if (hasOld)
            QVERIFY(TestFiles::write(path, old));
        if (setting == QLatin1String("read-only"))
            QVERIFY(disk->setReadOnly(true));

        // More than the disk holds, and past the size limit, so the write
        // fails after its first part has reached the temporary file.
        const QByteArray bytes = QByteArray("new entry line\r\n").repeated(8192);
        SafeSave::Outcome outcome;
        if (setting == QLatin1String("limit")) {
            FileSizeLimit limit(64 * 1024);
            outcome = SafeSave::write(path, bytes);
        } else {
            outcome = SafeSave::write(path, bytes);
        }
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome);
        QCOMPARE(outcome.cause, cause);
        QCOMPARE(SafeSave::failureMessage(QStringLiteral("the web addresses"), path, outcome), message);
        if (hasOld)
            QCOMPARE(TestFiles::read(path), old);
        QVERIFY(leftovers(QFileInfo(path).absolutePath()).isEmpty());
        if (setting == QLatin1String("missing"))
            QVERIFY(!QFileInfo::exists(QFileInfo(path).absolutePath()));
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "test_safesave.moc"
