#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

// A tiny tmpfs mounted for a test, to meet a full or a read-only disk as a
// user does. Needs root (tests run as root in CI); available() is false
// elsewhere and the test skips.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &path, int kilobytes = 64) : m_path(path)
    {
        QDir().mkpath(path);
        m_mounted = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), path});
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_path});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool available() const { return m_mounted; }
    QString path() const { return m_path; }

    // Fills what is left with one file, so the next write meets ENOSPC.
    void fill() const
    {
        QFile filler(m_path + QStringLiteral("/.filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        // The last partial block: byte by byte up to the end.
        while (filler.write("x", 1) == 1) {
        }
    }
    // Makes room again.
    void empty() const { QFile::remove(m_path + QStringLiteral("/.filler")); }
    bool setReadOnly(bool readOnly) const
    {
        return run({QStringLiteral("-o"), readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"),
                    m_path});
    }

private:
    static bool run(const QStringList &arguments)
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"), arguments);
        return mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
    }

    QString m_path;
    bool m_mounted = false;
};
