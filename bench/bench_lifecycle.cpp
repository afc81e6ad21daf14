// Loads 64 pages, each from a loopback site of its own (127.0.0.1 to
// 127.0.0.64), into the real main window headless, with one "pages out of
// view" choice, and prints the time until all have loaded and the memory of
// the program with its engine processes (sum of PSS): once loaded, and once
// the panes out of view have been frozen or discarded.
//
//   bench_lifecycle <choice: 0 keep all live, 1 freeze, 2 discard> [panes]
//
// The delays are cut to 2 s (freeze) and 4 s (discard) so the run is short.

#include "benchsupport.h"

#include "core/eventwait.h"
#include "grid/browsergrid.h"
#include "grid/pagelifecycle.h"
#include "pane/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

// Every request gets the same small page: some text and a script that keeps
// working (a clock and a moving box), as real pages do.
QByteArray page()
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
             "</script></body></html>";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_lifecycle <0|1|2> [panes]\n");
        return 2;
    }
    const int choice = qBound(0, atoi(argv[1]), 2);
    const int panes = argc > 2 ? qBound(1, atoi(argv[2]), 64) : 64;
    EngineSetup::applyProcessModel();
    QApplication app(argc, argv);

    const QByteArray body = page();
    QTcpServer server;
    if (!server.listen(QHostAddress::AnyIPv4, 0)) {
        std::fprintf(stderr, "no server: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &body] {
                if (!socket->peek(65536).contains("\r\n\r\n"))
                    return;
                socket->readAll();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: no-store\r\n"
                              "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n"
                              + body);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });

    BenchWindow bench;
    if (!bench.start())
        return 1;
    bench.settings.pagesOutOfView = choice; // the start read the settings file
    MainWindow &window = bench.window;
    window.pageLifecycle()->setDelays(2000, 4000);
    BrowserGrid *grid = window.grid();

    QElapsedTimer loading;
    loading.start();
    for (int k = 1; k <= panes; ++k)
        grid->openAddressInNewBrowser(QStringLiteral("http://127.0.0.%1:%2/").arg(k).arg(server.serverPort()),
                                      BrowserType::btNormal);
    // The first pane is the active one, as after a start: the view shows
    // the top left of the grid.
    grid->pane(0)->selectBrowser(true);
    const bool loaded = waitForPanesLoaded(*grid, panes, 180000);
    const qint64 loadMs = loading.elapsed();
    EventWait::forMilliseconds(1000);
    const qint64 pssLoaded = treePssKilobytes();

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
    const qint64 pssSettled = treePssKilobytes();

    const char *names[] = {"keep all pages live", "freeze pages out of view", "discard pages out of view"};
    QTextStream out(stdout);
    out << "pages out of view: " << names[choice] << "\n";
    out << panes << " loopback sites loaded: " << (loaded ? "yes" : "NO (timed out)") << " in " << loadMs << " ms\n";
    out << "memory once loaded: " << pssLoaded / 1024 << " MB PSS\n";
    out << "memory 8 s later: " << pssSettled / 1024 << " MB PSS (" << live << " live, " << frozen << " frozen, "
        << discarded << " discarded)\n";
    out.flush();
    window.close();
    return loaded ? 0 : 1;
}
