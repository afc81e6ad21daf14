// Memory over many pane lifetimes: the real main window, headless, opens 64
// pages from a local web server, waits until every one has loaded, closes
// them all, and does that 20 times. After each round it prints the total PSS
// of the program and its engine helper processes, with the panes open and
// after they closed. From the fourth round on neither figure may be more
// than 10% above the third round's (the first rounds fill the engine's
// caches); the exit status is 1 when one is.
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
};

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
        samples << sample;
        out << "round " << round << ": " << panes << " panes " << (loaded ? "loaded" : "NOT all loaded") << " in "
            << loadMs << " ms; PSS " << sample.openKb / 1024 << " MB open, " << sample.closedKb / 1024
            << " MB after close (" << processTree(int(::getpid())).size() << " processes"
            << (rendererGone ? "" : ", a page process still there") << ")\n";
        out.flush();
    }
    bench.window.close();

    bool grew = false;
    const Sample base = samples.at(2);
    for (int i = 3; i < samples.size(); ++i) {
        if (samples[i].openKb * 10 > base.openKb * 11 || samples[i].closedKb * 10 > base.closedKb * 11) {
            out << "bench_soak: round " << i + 1 << " is more than 10% above round 3 (" << samples[i].openKb / 1024
                << " / " << samples[i].closedKb / 1024 << " MB against " << base.openKb / 1024 << " / "
                << base.closedKb / 1024 << " MB)\n";
            grew = true;
        }
    }
    const Sample &last = samples.last();
    out << "bench_soak: round " << samples.size() << " against round 3: open "
        << QString::number(100.0 * double(last.openKb - base.openKb) / double(base.openKb), 'f', 1) << "%, after close "
        << QString::number(100.0 * double(last.closedKb - base.closedKb) / double(base.closedKb), 'f', 1) << "%\n";
    if (!allLoaded)
        out << "bench_soak: some rounds did not load every page\n";
    out << "bench_soak: " << (grew || !allLoaded ? "FAILED" : "passed") << "\n";
    out.flush();
    return grew || !allLoaded ? 1 : 0;
}
