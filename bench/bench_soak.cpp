// Memory over many pane lifetimes: the real main window, headless, opens 64
// pages from a local web server, waits until every one has loaded, closes
// them all, and does that 20 times. After each round it prints the total PSS
// of the program and its engine helper processes with the panes open, after
// they closed (with where it sits: each kind of process, anonymous memory,
// mapped files, and what the malloc heap holds free), and after the close
// once malloc_trim has given the allocator's free pages back. From the
// second round on neither the open figure nor the anonymous part of the
// trimmed one may be more than 10% above the first round's; the exit status
// is 1 when one is.
//
//   bench_soak [rounds] [panes]

#include "benchsupport.h"

#include "core/eventwait.h"
#include "grid/browsergrid.h"
#include "pane/browserpane.h"
#include "pane/enginesetup.h"
#include "support/localwebserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <malloc.h>

namespace {

// The engine's page processes below this one.
int rendererCount()
{
    int count = 0;
    for (int pid : processTree(int(::getpid())))
        if (processKind(pid) == QLatin1String("page"))
            ++count;
    return count;
}

struct Sample
{
    qint64 openKb = 0;
    qint64 closedKb = 0;
    qint64 trimmedKb = 0; // after close, once malloc gave its free pages back
    qint64 trimmedAnonKb = 0; // of that, anonymous and shared memory (no mapped files)
};

// The program's malloc heap: what is in use and what it holds free.
QString heapFigures()
{
    const struct mallinfo2 info = ::mallinfo2();
    return QStringLiteral("malloc heap %1 MB in use, %2 MB held free")
        .arg(qint64((info.uordblks + info.hblkhd) / (1024 * 1024)))
        .arg(qint64(info.fordblks / (1024 * 1024)));
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? qBound(4, atoi(argv[1]), 1000) : 20;
    const int panes = argc > 2 ? qBound(1, atoi(argv[2]), 64) : 64;
    EngineSetup::applyBeforeApplication();
    QApplication app(argc, argv);
    EngineSetup::chooseRendering();

    LocalWebServer server;
    if (!server.isListening()) {
        std::fprintf(stderr, "bench_soak: no local web server\n");
        return 2;
    }
    for (int i = 0; i < panes; ++i)
        server.addPage(QStringLiteral("/page%1.html").arg(i),
                       QStringLiteral("<html><head><title>Page %1</title></head><body><h1>Page %1</h1>"
                                      "<p>A small local page with a list.</p><ul id=l></ul><script>"
                                      "for (let i = 0; i < 200; ++i) { const e = document.createElement('li');"
                                      " e.textContent = 'item ' + i; document.getElementById('l').append(e); }"
                                      "</script></body></html>")
                           .arg(i)
                           .toUtf8());

    BenchWindow bench;
    if (!bench.start())
        return 1;
    BrowserGrid *grid = bench.window.grid();
    QTextStream out(stdout);
    QList<Sample> samples;
    bool allLoaded = true;
    for (int round = 1; round <= rounds; ++round) {
        QElapsedTimer loading;
        loading.start();
        for (int i = 0; i < panes; ++i)
            grid->openAddressInNewBrowser(
                server.url(QStringLiteral("/page%1.html").arg(i)).toString() + QStringLiteral("?round=%1").arg(round),
                BrowserType::btNormal);
        const bool loaded = EventWait::until([&] {
            int ready = 0;
            for (int i = 0; i < 64; ++i) {
                BrowserPane *pane = grid->pane(i);
                if (pane && pane->control()->hasDocument() && !pane->control()->busy())
                    ++ready;
            }
            return ready == panes;
        }, 120000);
        allLoaded = allLoaded && loaded;
        const qint64 loadMs = loading.elapsed();
        Sample sample;
        sample.openKb = treePssKilobytes();
        // Closed one by one as the user's delete command does (activate, delete).
        for (int i = 0; i < 64; ++i)
            if (grid->pane(i) && grid->activateBrowser(i))
                grid->deleteActiveBrowser();
        // The page process of the closed pages ends in its own time.
        const bool rendererGone = EventWait::until([] { return rendererCount() == 0; }, 15000);
        sample.closedKb = treePssKilobytes();
        const QString shares = describeShares(treePssByKind());
        const QString heap = heapFigures();
        // What of the growth is freed memory the allocator keeps for reuse
        // rather than memory still in use.
        ::malloc_trim(0);
        sample.trimmedKb = treePssKilobytes();
        const QMap<QString, PssShare> trimmed = treePssByKind();
        for (const PssShare &share : trimmed)
            sample.trimmedAnonKb += share.anonKb + share.shmemKb;
        const QString trimmedShares = describeShares(trimmed);
        samples << sample;
        out << "round " << round << ": " << panes << " panes " << (loaded ? "loaded" : "NOT all loaded") << " in "
            << loadMs << " ms; PSS " << sample.openKb / 1024 << " MB open, " << sample.closedKb / 1024
            << " MB after close (" << processTree(int(::getpid())).size() << " processes"
            << (rendererGone ? "" : ", a page process still there") << ")\n"
            << "  after close: " << shares << "; " << heap << "; " << sample.trimmedKb / 1024
            << " MB once malloc gave its free pages back: " << trimmedShares << "\n";
        out.flush();
    }
    bench.window.close();

    // Judged against the first round: the PSS with the panes open, and after
    // the close its anonymous part once malloc_trim has given the allocator's
    // free pages back. The PSS right after a close is shown but not judged:
    // from the second round on, malloc keeps most of what the closed pages
    // freed (over 200 MB of free chunks for 64 panes, with some 22 MB in use)
    // and hands it out again at the next round, so that figure says how much
    // the allocator holds, not what is in use. Mapped files (the engine's
    // libraries) are left out too: their share of the PSS changes with every
    // other process on the machine that maps the same files.
    bool grew = false;
    const Sample base = samples.first();
    const auto percent = [](qint64 now, qint64 then) {
        return QString::number(100.0 * double(now - then) / double(then), 'f', 1) + QLatin1Char('%');
    };
    for (int i = 1; i < samples.size(); ++i) {
        if (samples[i].openKb * 10 > base.openKb * 11 || samples[i].trimmedAnonKb * 10 > base.trimmedAnonKb * 11) {
            out << "bench_soak: round " << i + 1 << " is more than 10% above round 1 (" << samples[i].openKb / 1024
                << " MB open / " << samples[i].trimmedAnonKb / 1024 << " MB anonymous after close against "
                << base.openKb / 1024 << " / " << base.trimmedAnonKb / 1024 << " MB)\n";
            grew = true;
        }
    }
    const Sample &last = samples.last();
    out << "bench_soak: round " << samples.size() << " against round 1: open " << percent(last.openKb, base.openKb)
        << ", after close " << percent(last.trimmedAnonKb, base.trimmedAnonKb)
        << " anonymous once malloc gave its free pages back (" << percent(last.trimmedKb, base.trimmedKb)
        << " with mapped files, " << percent(last.closedKb, base.closedKb) << " as the allocator left it)\n";
    if (!allLoaded)
        out << "bench_soak: some rounds did not load every page\n";
    out << "bench_soak: " << (grew || !allLoaded ? "FAILED" : "passed") << "\n";
    out.flush();
    return grew || !allLoaded ? 1 : 0;
}
