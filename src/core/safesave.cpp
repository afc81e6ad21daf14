#include "core/safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeSave {

namespace {

Outcome failed(int error)
{
    return Outcome{false, causeOf(error)};
}

// write(2) until every byte is out; false with errno set on the first error.
bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A file reached through a symbolic link (a settings file kept with the
// user's other dotfiles) is written where the link points: renaming over the
// link itself would replace it with a plain file and cut the tie.
QString realTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// Temporary files of writers that were killed mid-write ("<file>.saving-<pid>-
// <random>" of a process that is gone) are removed, so they do not pile up.
// Those of a live process may be a write in progress and stay.
void removeLeftovers(const QString &path)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QStringLiteral(".saving-");
    QDir folder = target.absoluteDir();
    for (const QString &name : folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString rest = name.mid(prefix.size());
        bool number = false;
        const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&number);
        if (!number || pid <= 0 || !rest.contains(QLatin1Char('-')))
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            folder.remove(name);
    }
}

} // namespace

QString causeOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EROFS:
        return QStringLiteral("the folder is on a read-only disk");
    case EACCES:
    case EPERM:
        return QStringLiteral("the folder may not be written to");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("the folder does not exist");
    case EFBIG:
        return QStringLiteral("the file is too large");
    case EIO:
        return QStringLiteral("the disk reported an error");
    case EISDIR:
        return QStringLiteral("a folder has that name");
    case ENAMETOOLONG:
        return QStringLiteral("the name is too long");
    default:
        return QString::fromLocal8Bit(std::strerror(error)).toLower();
    }
}

Outcome write(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(realTarget(path));
    if (target.isDir())
        return failed(EISDIR);
    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());

    // The temporary file is made with the usual permissions less the umask;
    // it takes the old file's own when there is one.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = finalName + ".saving-" + QByteArray::number(::getpid()) + '-'
             + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (fd < 0)
        return failed(EEXIST);
    auto giveUp = [&](int error) {
        ::close(fd);
        ::unlink(temp.constData());
        return failed(error);
    };
    struct stat old;
    if (::stat(finalName.constData(), &old) == 0) {
        // The owner too, where the program may give it (run as root on a
        // user's file); the permissions in any case.
        // A refusal leaves the new file ours, which is no reason not to save.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
            errno = 0;
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return giveUp(errno);
    }
    if (!writeAll(fd, bytes.constData(), bytes.size()))
        return giveUp(errno);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return giveUp(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return failed(error);
    }
    if (::rename(temp.constData(), finalName.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return failed(error);
    }
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    removeLeftovers(target.absoluteFilePath());
    return Outcome{true, QString()};
}

QString failureMessage(const QString &what, const QString &path, const Outcome &outcome)
{
    // A folder in the file's place is no earlier file.
    const QString kept = QFileInfo(path).isFile() ? QStringLiteral("The earlier file is kept.")
                                             : QStringLiteral("Nothing was written.");
    return QStringLiteral("Could not save %1: %2. %3").arg(what, outcome.cause, kept);
}

} // namespace SafeSave
