// Loads 64 pages, each from a loopback site of its own (127.0.0.1 to
// 127.0.0.64), into the real main window headless, with one "pages out of
// view" choice, and prints the time until all have loaded and the memory of
// the program with its engine processes (sum of PSS): once loaded, and once
// the panes out of view have been frozen or discarded.
//
//   bench_lifecycle <choice: 0 keep all live, 1 freeze, 2 discard> [panes]
//   bench_lifecycle chromium [panes]
//
// The delays are cut to 2 s (freeze) and 4 s (discard) so the run is short.
// "chromium" opens the same pages as tabs of Chromium (CHROMIUM names the
// program; it needs an X display, such as xvfb-run's) and measures it the same
// way, the yardstick for the figures above. Its pages report their load to
// the server, as Chromium has no other way to tell.

#include "benchsupport.h"

#include "core/eventwait.h"
#include "grid/browsergrid.h"
#include "grid/pagelifecycle.h"
#include "pane/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

struct Figures
{
    bool loaded = false;
    qint64 loadMs = 0;
    qint64 pssLoaded = 0;
    qint64 pssSettled = 0;
    QString panes; // what became of the pages
};

// The program's pages in the real main window, with one choice.
Figures measureProgram(int choice, int panes, quint16 port)
{
    Figures figures;
    BenchWindow bench;
    if (!bench.start())
        return figures;
    bench.settings.pagesOutOfView = choice; // the start read the settings file
    MainWindow &window = bench.window;
    window.pageLifecycle()->setDelays(2000, 4000);
    BrowserGrid *grid = window.grid();

    QElapsedTimer loading;
    loading.start();
    for (int k = 1; k <= panes; ++k)
        grid->openAddressInNewBrowser(QStringLiteral("http://127.0.0.%1:%2/").arg(k).arg(port),
                                      BrowserType::btNormal);
    // The first pane is the active one, as after a start: the view shows
    // the top left of the grid.
    grid->pane(0)->selectBrowser(true);
    figures.loaded = waitForPanesLoaded(*grid, panes, 180000);
    figures.loadMs = loading.elapsed();
    EventWait::forMilliseconds(1000);
    figures.pssLoaded = treePssKilobytes();

    // Long enough for both delays and the engine to let go of what it freed.
    EventWait::forMilliseconds(8000);
    int live = 0, frozen = 0, discarded = 0;
    for (int i = 0; i < panes; ++i) {
        switch (grid->pane(i)->control()->lifecycle()) {
        case BrowserControl::Lifecycle::Active:
            ++live;
            break;
        case BrowserControl::Lifecycle::Frozen:
            ++frozen;
            break;
        case BrowserControl::Lifecycle::Discarded:
            ++discarded;
            break;
        }
    }
    figures.pssSettled = treePssKilobytes();
    figures.panes = QStringLiteral("%1 live, %2 frozen, %3 discarded").arg(live).arg(frozen).arg(discarded);
    window.close();
    return figures;
}

// The same pages as tabs of one Chromium window, in a profile of its own.
Figures measureChromium(int panes, quint16 port, const QSet<QByteArray> &loadedSites)
{
    Figures figures;
    QString program = qEnvironmentVariable("CHROMIUM");
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    QTemporaryDir profile;
    if (program.isEmpty() || !profile.isValid()) {
        std::fprintf(stderr, "no chromium program (apt-get install chromium, or set CHROMIUM)\n");
        return figures;
    }
    // Headless Chromium opens one page only.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "Chromium needs an X display for its tabs (xvfb-run)\n");
        return figures;
    }
    QStringList arguments{QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--no-first-run"),
                          QStringLiteral("--no-default-browser-check"), QStringLiteral("--password-store=basic"),
                          QStringLiteral("--window-size=1280,1024")};
    if (::geteuid() == 0)
        arguments << QStringLiteral("--no-sandbox"); // as the program's own engine runs as root
    for (int k = 1; k <= panes; ++k)
        arguments << QStringLiteral("http://127.0.0.%1:%2/").arg(k).arg(port);

    QProcess chromium;
    chromium.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    chromium.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer loading;
    loading.start();
    chromium.start(program, arguments);
    if (!chromium.waitForStarted(30000)) {
        std::fprintf(stderr, "chromium did not start: %s\n", qPrintable(chromium.errorString()));
        return figures;
    }
    figures.loaded = EventWait::until([&] { return loadedSites.size() >= panes; }, 180000);
    figures.loadMs = loading.elapsed();
    const int root = int(chromium.processId());
    EventWait::forMilliseconds(1000);
    figures.pssLoaded = treePssKilobytes(root);
    EventWait::forMilliseconds(8000);
    figures.pssSettled = treePssKilobytes(root);
    figures.panes = QStringLiteral("%1 of %2 tabs loaded, %3 processes")
                        .arg(loadedSites.size())
                        .arg(panes)
                        .arg(processTree(root).size());
    chromium.terminate();
    if (!chromium.waitForFinished(10000)) {
        chromium.kill();
        chromium.waitForFinished(10000);
    }
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_lifecycle <0|1|2|chromium> [panes]\n");
        return 2;
    }
    const bool chromium = qstrcmp(argv[1], "chromium") == 0;
    const int choice = qBound(0, atoi(argv[1]), 2);
    const int panes = argc > 2 ? qBound(1, atoi(argv[2]), 64) : 64;
    EngineSetup::applyBeforeApplication();
    QApplication app(argc, argv);
    const bool software = EngineSetup::chooseRendering() == EngineSetup::Rendering::Software;

    const QByteArray body = loopbackSitePage();
    QTcpServer server;
    if (!server.listen(QHostAddress::AnyIPv4, 0)) {
        std::fprintf(stderr, "no server: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QSet<QByteArray> loadedSites;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &body, &loadedSites] {
                const QByteArray head = socket->peek(65536);
                const int end = head.indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                socket->readAll();
                if (head.startsWith("GET /loaded")) {
                    const int host = head.indexOf("\r\nHost: ");
                    if (host >= 0)
                        loadedSites.insert(head.mid(host + 8, head.indexOf("\r\n", host + 8) - host - 8));
                    socket->write("HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n");
                } else {
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: no-store\r\n"
                                  "Content-Length: " + QByteArray::number(body.size())
                                  + "\r\nConnection: close\r\n\r\n" + body);
                }
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });

    const Figures figures = chromium ? measureChromium(panes, server.serverPort(), loadedSites)
                                     : measureProgram(choice, panes, server.serverPort());
    const char *names[] = {"keep all pages live", "freeze pages out of view", "discard pages out of view"};
    QTextStream out(stdout);
    out << (chromium ? QStringLiteral("Chromium, the pages as tabs")
                     : QStringLiteral("pages out of view: ") + QLatin1String(names[choice])
                           + (software ? QStringLiteral(", views drawn in software") : QStringLiteral(", views drawn by the GPU")))
        << "\n";
    out << panes << " loopback sites loaded: " << (figures.loaded ? "yes" : "NO (timed out)") << " in "
        << figures.loadMs << " ms\n";
    out << "memory once loaded: " << figures.pssLoaded / 1024 << " MB PSS\n";
    out << "memory 8 s later: " << figures.pssSettled / 1024 << " MB PSS (" << figures.panes << ")\n";
    out.flush();
    return figures.loaded ? 0 : 1;
}
