#include "options/systeminfo.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The processes the program started, and theirs.
QList<int> descendants(int root)
{
    QHash<int, QList<int>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok)
            continue;
        const QByteArray stat = readAll(QStringLiteral("/proc/%1/stat").arg(pid));
        // pid (name) state ppid: the name may hold blanks.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children[fields[1].toInt()].append(pid);
    }
    QList<int> found;
    QList<int> queue{root};
    while (!queue.isEmpty()) {
        const QList<int> next = children.value(queue.takeFirst());
        found += next;
        queue += next;
    }
    return found;
}

} // namespace

qint64 ProcSystemInfo::kilobytes(const QByteArray &text, const QByteArray &name)
{
    for (const QByteArray &line : text.split('\n')) {
        if (!line.startsWith(name + ':'))
            continue;
        bool ok = false;
        const qint64 value = line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? value : -1;
    }
    return -1;
}

bool ProcSystemInfo::memoryStatus(MemoryStatus *status) const
{
    const QByteArray info = readAll(QStringLiteral("/proc/meminfo"));
    const qint64 total = kilobytes(info, "MemTotal");
    const qint64 available = kilobytes(info, "MemAvailable");
    const qint64 swapTotal = kilobytes(info, "SwapTotal");
    const qint64 swapFree = kilobytes(info, "SwapFree");
    if (total <= 0 || available < 0 || swapTotal < 0 || swapFree < 0)
        return false;
    if (status)
        *status = {total * 1024, available * 1024, swapTotal * 1024, swapFree * 1024};
    return true;
}

bool ProcSystemInfo::programMemory(qint64 *bytes) const
{
    const qint64 resident = kilobytes(readAll(QStringLiteral("/proc/self/status")), "VmRSS");
    if (resident < 0)
        return false;
    qint64 helpers = 0;
    for (int pid : descendants(int(::getpid()))) {
        const qint64 pss = kilobytes(readAll(QStringLiteral("/proc/%1/smaps_rollup").arg(pid)), "Pss");
        if (pss > 0)
            helpers += pss;
    }
    if (bytes)
        *bytes = (resident + helpers) * 1024;
    return true;
}
