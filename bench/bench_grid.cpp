// Opens N local pages into the grid of the real main window, headless, and
// prints how long they took to load and how much memory the program and its
// engine helper processes use together (sum of PSS).
//
//   bench_grid [panes] [--engine-flags "<chromium flags>"]
//
// Without --engine-flags the program's own process model is used.

#include "benchsupport.h"

#include "app/mainwindow.h"
#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "grid/browsergrid.h"
#include "pane/enginesetup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <cstdio>
#include <unistd.h>

namespace {

// Milliseconds since this process started, from the kernel's records (so
// the time before main() counts too).
qint64 millisecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // Field 22 of the whole line is the start time in clock ticks after boot.
    const double startTicks = fields.value(19).toDouble();
    const double upSeconds = uptime.readAll().split(' ').first().toDouble();
    return qint64((upSeconds - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();

    int panes = 64;
    QByteArray engineFlags;
    bool hold = false; // keep running a while so the processes can be inspected
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--hold") == 0)
            hold = true;
        else if (qstrcmp(argv[i], "--engine-flags") == 0 && i + 1 < argc)
            engineFlags = argv[++i];
        else
            panes = qBound(1, atoi(argv[i]), 64);
    }
    if (engineFlags.isEmpty())
        EngineSetup::applyBeforeApplication();
    else
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", engineFlags);

    QApplication app(argc, argv);
    EngineSetup::chooseRendering();
    QTemporaryDir folder;
    BenchWindow bench;
    if (!bench.start())
        return 1;
    MainWindow &window = bench.window;
    const qint64 shownAfter = sinceStart.elapsed();
    const qint64 shownAfterProcessStart = millisecondsSinceProcessStart();

    QStringList addresses;
    for (int i = 0; i < panes; ++i) {
        const QString path = folder.filePath(QStringLiteral("page%1.html").arg(i));
        QFile page(path);
        page.open(QIODevice::WriteOnly);
        page.write(QStringLiteral("<html><head><title>Page %1</title></head><body><h1>Page %1</h1>"
                                  "<p>A small local page.</p></body></html>").arg(i).toUtf8());
        addresses << QUrl::fromLocalFile(path).toString();
    }

    BrowserGrid *grid = window.grid();
    QElapsedTimer loading;
    loading.start();
    for (const QString &address : addresses)
        grid->openAddressInNewBrowser(address, BrowserType::btNormal);
    const bool loaded = waitForPanesLoaded(*grid, panes, 120000);
    const qint64 loadMs = loading.elapsed();
    // Let the engine settle before memory is read.
    EventWait::forMilliseconds(1000);

    qint64 pss = 0;
    const QList<int> tree = processTree(int(::getpid()));
    QStringList perProcess;
    for (int pid : tree) {
        const qint64 kb = pssKilobytes(pid);
        pss += kb;
        perProcess << QStringLiteral("%1 MB %2").arg(kb / 1024).arg(processKind(pid));
    }

    QTextStream out(stdout);
    out << "engine flags: " << qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") << "\n";
    out << "main window shown after start: " << shownAfter << " ms from main(), " << shownAfterProcessStart
        << " ms from process start (10 ms ticks)\n";
    out << panes << " panes loaded: " << (loaded ? "yes" : "NO (timed out)") << " in " << loadMs << " ms\n";
    out << panes << " panes memory: " << pss / 1024 << " MB PSS in " << tree.size() << " processes ("
        << perProcess.join(QStringLiteral(", ")) << ")\n";
    out.flush();
    if (hold)
        EventWait::forMilliseconds(30000);
    window.close();
    return loaded ? 0 : 1;
}
