#pragma once

// What the benchmarks share: a silent prompter and shell, and the memory of
// the program with its engine helper processes.

#include "app/mainwindow.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "core/eventwait.h"
#include "grid/browsergrid.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QMap>

#include <cstdio>
#include <unistd.h>

namespace {

class SilentPrompter : public Prompter
{
public:
    void showInformation(const QString &text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
    bool askConfirmation(const QString &) override { return true; }
    void showPlain(const QString &text) override { std::fprintf(stderr, "fatal: %s\n", qPrintable(text)); }
    void closeOpenBox() override {}
};

class NoShell : public Shell
{
public:
    bool openWithDefaultHandler(const QString &) override { return false; }
    bool startProgram(const QString &) override { return false; }
};

// The real main window in the current home, started and shown, with the
// objects it works on.
struct BenchWindow
{
    Settings settings;
    RuntimeFlags flags;
    SilentPrompter prompter;
    NoShell shell;
    MainWindow window{settings, flags, prompter, shell};

    bool start()
    {
        if (!window.startUp())
            return false;
        window.show();
        return true;
    }
};

// This process and every process below it.
// The parent of a process, 0 when it is gone.
inline int parentPid(int pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // pid (comm) state ppid ...: comm may hold blanks, so read after ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields[1].toInt() : 0;
}

// What an engine process does: its --type, "page" for a page process
// (forked from a zygote, it keeps the zygote's command line), "program" for
// one that is none of the engine's.
inline QString processKind(int pid)
{
    const auto type = [](int of) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(of));
        if (!cmdline.open(QIODevice::ReadOnly))
            return QByteArray();
        const QByteArray text = cmdline.readAll().replace('\0', ' ');
        const qsizetype at = text.indexOf("--type=");
        return at < 0 ? QByteArray() : text.mid(at + 7).split(' ').first();
    };
    const QByteArray own = type(pid);
    if (own.isEmpty())
        return QStringLiteral("program");
    if (own == "zygote" && type(parentPid(pid)) == "zygote")
        return QStringLiteral("page");
    return QString::fromLatin1(own);
}

inline QList<int> processTree(int root)
{
    QHash<int, QList<int>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (ok)
            if (const int parent = parentPid(pid))
                children[parent].append(pid);
    }
    QList<int> tree{root};
    for (int i = 0; i < tree.size(); ++i)
        tree += children.value(tree[i]);
    return tree;
}

inline qint64 pssKilobytes(int pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').first().toLongLong();
    return 0;
}

// Waits until the first panes of the grid have loaded their pages; false
// when they did not within the time.
inline bool waitForPanesLoaded(const BrowserGrid &grid, int panes, int timeoutMs)
{
    return EventWait::until([&] {
        for (int i = 0; i < panes; ++i) {
            BrowserPane *pane = grid.pane(i);
            if (!pane || !pane->control()->hasDocument() || pane->control()->busy())
                return false;
        }
        return true;
    }, timeoutMs);
}

// PSS of a process (this one unless told) and all below it, in kilobytes.
inline qint64 treePssKilobytes(int root = int(::getpid()))
{
    qint64 total = 0;
    for (int pid : processTree(root))
        total += pssKilobytes(pid);
    return total;
}

// One field of /proc/<pid>/smaps_rollup ("Pss_Anon:", "Pss_File:",
// "Pss_Shmem:", ...), in kilobytes.
inline qint64 rollupKilobytes(int pid, const QByteArray &field)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
    return 0;
}

// Where the PSS of a process tree sits: per kind of process (processKind),
// its processes and their PSS split into anonymous memory, mapped files and
// shared memory, in kilobytes.
struct PssShare
{
    int processes = 0;
    qint64 anonKb = 0;
    qint64 fileKb = 0;
    qint64 shmemKb = 0;
    qint64 totalKb() const { return anonKb + fileKb + shmemKb; }
};

inline QMap<QString, PssShare> treePssByKind(int root = int(::getpid()))
{
    QMap<QString, PssShare> shares;
    for (int pid : processTree(root)) {
        PssShare &share = shares[processKind(pid)];
        ++share.processes;
        share.anonKb += rollupKilobytes(pid, "Pss_Anon:");
        share.fileKb += rollupKilobytes(pid, "Pss_File:");
        share.shmemKb += rollupKilobytes(pid, "Pss_Shmem:");
    }
    return shares;
}

// "program 1: 120 MB (anon 80, file 30, shmem 10); gpu-process 1: ..."
inline QString describeShares(const QMap<QString, PssShare> &shares)
{
    QStringList parts;
    for (auto it = shares.cbegin(); it != shares.cend(); ++it)
        parts << QStringLiteral("%1 %2: %3 MB (anon %4, file %5, shmem %6)")
                     .arg(it.key())
                     .arg(it->processes)
                     .arg(it->totalKb() / 1024)
                     .arg(it->anonKb / 1024)
                     .arg(it->fileKb / 1024)
                     .arg(it->shmemKb / 1024);
    return parts.join(QStringLiteral("; "));
}

// A small page of a loopback site: some text and a script that keeps
// working (a clock and a moving box), as real pages do; it asks its site for
// /loaded once loaded, so the bench can tell from outside.
inline QByteArray loopbackSitePage()
{
    QByteArray text;
    for (int i = 0; i < 40; ++i)
        text += "<p>Paragraph of a loopback site, enough words to lay out a page of some length. </p>";
    return "<html><head><title>Loopback site</title></head><body><h1 id=t>site</h1>"
           "<div id=box style='position:relative;width:40px;height:40px;background:#36c'></div>"
           + text
           + "<script>let x = 0; setInterval(() => { x = (x + 3) % 300;"
             " document.getElementById('box').style.left = x + 'px';"
             " document.getElementById('t').textContent = location.host + ' ' + new Date().toLocaleTimeString(); }, 16);"
             " addEventListener('load', () => fetch('/loaded'));"
             "</script></body></html>";
}

} // namespace
