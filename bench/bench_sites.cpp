// The program against Chromium on the same loopback sites, each site at an
// address of its own (127.0.0.k), the pages given on the command line as a
// user would start either browser: seconds from the start until every page
// has loaded, and the memory of all the browser's processes (sum of PSS) 20 s
// after that.
//
//   bench_sites <small|heavy|docs> <vorlan|chromium> [sites]
//
//   small  64 small pages with a clock and a moving box
//   heavy  32 pages that draw on a canvas all the time and keep 20,000
//          objects in their script
//   docs   the 64 largest HTML files under /usr/share/doc, each served from
//          its own address with the style sheets and pictures beside it
//
// Both need an X display (xvfb-run). The program is the vorlan beside this
// bench, started in a fresh home; Chromium is CHROMIUM or "chromium" on the
// path, in a fresh profile. scripts/run-site-bench runs the whole table.

#include "benchsupport.h"

#include "core/eventwait.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMimeDatabase>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

// Every page reports its load to its own site; neither browser has another
// way to tell from outside.
const QByteArray Reporter = "<script>addEventListener('load', () => fetch('/loaded'));</script>";

QByteArray heavyPage()
{
    return "<html><head><title>Busy site</title></head><body><h1 id=t>busy site</h1>"
           "<canvas id=c width=640 height=400></canvas>"
           "<script>"
           "const things = [];"
           "for (let i = 0; i < 20000; ++i) things.push({id: i, name: 'thing ' + i, x: Math.random() * 640,"
           " y: Math.random() * 400, dx: Math.random() - 0.5, dy: Math.random() - 0.5, tags: [i % 7, i % 11]});"
           "const g = document.getElementById('c').getContext('2d');"
           "function frame() {"
           "  g.fillStyle = '#fff'; g.fillRect(0, 0, 640, 400);"
           "  for (let i = 0; i < things.length; i += 10) { const o = things[i];"
           "    o.x = (o.x + o.dx + 640) % 640; o.y = (o.y + o.dy + 400) % 400;"
           "    g.fillStyle = 'hsl(' + (i % 360) + ',70%,50%)'; g.fillRect(o.x, o.y, 4, 4); }"
           "  document.getElementById('t').textContent = location.host + ' ' + things.length + ' objects';"
           "  requestAnimationFrame(frame);"
           "}"
           "requestAnimationFrame(frame);"
           "</script>"
           + Reporter + "</body></html>";
}

// The largest HTML files under /usr/share/doc, one a site.
QStringList largestDocuments(int count)
{
    QList<QPair<qint64, QString>> found;
    QDirIterator it(QStringLiteral("/usr/share/doc"), {QStringLiteral("*.html"), QStringLiteral("*.htm")},
                    QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink())
            found.append({it.fileInfo().size(), it.filePath()});
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QStringList paths;
    for (int i = 0; i < found.size() && paths.size() < count; ++i)
        paths << found[i].second;
    return paths;
}

// Serves site k (127.0.0.k) its page and, for a document, the files beside it.
class SiteServer : public QTcpServer
{
public:
    SiteServer(QString kind, QStringList documents) : m_kind(std::move(kind)), m_documents(std::move(documents))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    int loaded() const { return int(m_loaded.size()); }
    qint64 bytesServed() const { return m_bytes; }

private:
    void serve(QTcpSocket *socket)
    {
        const QByteArray head = socket->peek(65536);
        if (head.indexOf("\r\n\r\n") < 0)
            return;
        socket->readAll();
        const QList<QByteArray> request = head.left(head.indexOf("\r\n")).split(' ');
        const QByteArray path = request.size() > 1 ? request[1] : QByteArray("/");
        const int host = head.indexOf("\r\nHost: ");
        const QByteArray site = host < 0 ? QByteArray() : head.mid(host + 8, head.indexOf("\r\n", host + 8) - host - 8);
        const int k = site.split(':').first().split('.').last().toInt();
        // BENCH_TRACE=1: when each request came, to see where the time goes.
        static const bool trace = qEnvironmentVariableIntValue("BENCH_TRACE") == 1;
        if (trace)
            std::fprintf(stderr, "trace %lld %d %s\n", static_cast<long long>(m_clock.elapsed()), k, path.constData());
        if (path.startsWith("/loaded")) {
            m_loaded.insert(site);
            reply(socket, "204 No Content", {}, {});
            return;
        }
        if (m_kind == QLatin1String("small")) {
            reply(socket, "200 OK", "text/html", loopbackSitePage());
        } else if (m_kind == QLatin1String("heavy")) {
            reply(socket, "200 OK", "text/html", heavyPage());
        } else if (k >= 1 && k <= m_documents.size()) {
            const QString document = m_documents[k - 1];
            const QDir folder = QFileInfo(document).dir();
            const QString wanted = QUrl::fromPercentEncoding(path.split('?').first());
            const QString file = wanted == QLatin1String("/") ? document
                                                              : QDir::cleanPath(folder.absolutePath() + wanted);
            QFile f(file);
            if (!file.startsWith(folder.absolutePath()) || !f.open(QIODevice::ReadOnly)) {
                reply(socket, "404 Not Found", "text/plain", "not here");
                return;
            }
            QByteArray body = f.readAll();
            // By the name, as a web server does: a document that starts
            // "<?xml" is sniffed as XHTML otherwise, and the report after its
            // end then breaks the XML, so its page never reports.
            QByteArray type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name().toLatin1();
            if (wanted == QLatin1String("/")) {
                type = "text/html";
                body += Reporter; // after the document's own end: browsers take it in
            }
            reply(socket, "200 OK", type, body);
        } else {
            reply(socket, "404 Not Found", "text/plain", "no site");
        }
    }
    void reply(QTcpSocket *socket, const QByteArray &status, const QByteArray &type, const QByteArray &body)
    {
        QByteArray head = "HTTP/1.1 " + status + "\r\nConnection: close\r\nCache-Control: no-store\r\n";
        if (!type.isEmpty())
            head += "Content-Type: " + type + "\r\n";
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
        socket->write(head + body);
        m_bytes += body.size();
        socket->disconnectFromHost();
    }

    QString m_kind;
    QStringList m_documents;
    QSet<QByteArray> m_loaded;
    qint64 m_bytes = 0;
    QElapsedTimer m_clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
};

struct Figures
{
    bool loaded = false;
    qint64 loadMs = 0;
    qint64 pssSettledKb = 0;
    int processes = 0;
};

Figures measure(const QString &browser, const QStringList &addresses, SiteServer &server)
{
    Figures figures;
    QTemporaryDir home;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString program;
    QStringList arguments;
    if (browser == QLatin1String("vorlan")) {
        program = QCoreApplication::applicationDirPath() + QStringLiteral("/vorlan");
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.path() + QStringLiteral("/cache"));
        environment.insert(QStringLiteral("TMPDIR"), home.path());
        if (::geteuid() == 0)
            environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        // BENCH_PAGE_PROCESSES=1: the shared page process of the "Extras"
        // page instead of one per site.
        if (qEnvironmentVariableIsSet("BENCH_PAGE_PROCESSES")) {
            QDir().mkpath(home.path() + QStringLiteral("/config/Halvane"));
            QFile conf(home.path() + QStringLiteral("/config/Halvane/Vorlan.conf"));
            if (conf.open(QIODevice::WriteOnly))
                conf.write("[Options/Extras]\npage processes=" + qgetenv("BENCH_PAGE_PROCESSES") + "\n");
        }
        arguments = addresses;
    } else {
        program = qEnvironmentVariable("CHROMIUM");
        if (program.isEmpty())
            program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (program.isEmpty()) {
            std::fprintf(stderr, "no chromium program (scripts/run-site-bench installs it, or set CHROMIUM)\n");
            return figures;
        }
        arguments = {QStringLiteral("--user-data-dir=") + home.path(), QStringLiteral("--no-first-run"),
                     QStringLiteral("--no-default-browser-check"), QStringLiteral("--password-store=basic"),
                     QStringLiteral("--window-size=1920,1080")};
        if (::geteuid() == 0)
            arguments << QStringLiteral("--no-sandbox"); // as the program's engine runs as root
        arguments += addresses;
    }
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(30000)) {
        std::fprintf(stderr, "%s did not start: %s\n", qPrintable(program), qPrintable(process.errorString()));
        return figures;
    }
    figures.loaded = EventWait::until([&] { return server.loaded() >= addresses.size(); }, 300000);
    figures.loadMs = clock.elapsed();
    EventWait::forMilliseconds(20000);
    const int root = int(process.processId());
    figures.pssSettledKb = treePssKilobytes(root);
    figures.processes = int(processTree(root).size());
    ::kill(pid_t(root), SIGTERM);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(10000);
    }
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || !QStringList{"small", "heavy", "docs"}.contains(args[1])
        || !QStringList{"vorlan", "chromium"}.contains(args[2])) {
        std::fprintf(stderr, "usage: bench_sites <small|heavy|docs> <vorlan|chromium> [sites]\n");
        return 2;
    }
    const QString kind = args[1];
    const QString browser = args[2];
    int sites = args.size() > 3 ? args[3].toInt() : (kind == QLatin1String("heavy") ? 32 : 64);
    sites = qBound(1, sites, 64);
    QStringList documents;
    if (kind == QLatin1String("docs")) {
        documents = largestDocuments(sites);
        sites = int(documents.size());
    }
    SiteServer server(kind, documents);
    if (!server.listen(QHostAddress::AnyIPv4, 0)) {
        std::fprintf(stderr, "no server: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QStringList addresses;
    for (int k = 1; k <= sites; ++k)
        addresses << QStringLiteral("http://127.0.0.%1:%2/").arg(k).arg(server.serverPort());
    const Figures figures = measure(browser, addresses, server);
    QTextStream out(stdout);
    // One line a run, for the table: kind browser sites loaded seconds MB processes
    out << kind << ' ' << browser << ' ' << sites << ' ' << (figures.loaded ? "loaded" : "TIMEOUT") << ' '
        << QString::number(figures.loadMs / 1000.0, 'f', 2) << ' ' << figures.pssSettledKb / 1024 << ' '
        << figures.processes << '\n';
    out.flush();
    return figures.loaded ? 0 : 1;
}
