#include "core/eventwait.h"
#include "pane/browserpane.h"
#include "pane/downloadkeeper.h"
#include "pane/downloadlist.h"
#include "pane/enginesetup.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/paneharness.h"
#include "support/recordingshell.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <algorithm>

// Downloads of a pane's page on the real engine, from a local server, into
// the download folder of the test's own home.
class TestDownloads : public QObject
{
    Q_OBJECT

    static QByteArray fileResponse(const QByteArray &headers, const QByteArray &body, qint64 announced = -1)
    {
        return "HTTP/1.1 200 OK\r\n" + headers + "Content-Length: " + QByteArray::number(announced < 0 ? body.size() : announced)
               + "\r\nConnection: close\r\n\r\n" + body;
    }
    static QString folder() { return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation); }
    static QByteArray contents(const QString &name)
    {
        QFile file(QDir(folder()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Downloads address in a fresh pane; the list entry it made once it has
    // finished, one way or the other.
    static DownloadList::Entry download(const QUrl &address, QStringList *status = nullptr, QList<int> *progress = nullptr)
    {
        PaneHarness h(1, {500, 400});
        h.pane()->selectBrowser(true);
        QSignalSpy progressed(h.pane(), &BrowserPane::downloadProgressChanged);
        DownloadList &list = DownloadKeeper::instance().list();
        const int before = list.entries().isEmpty() ? 0 : list.entries().first().id;
        h.pane()->navigateTo(address.toString());
        const auto finished = [&] {
            return !list.entries().isEmpty() && list.entries().first().id != before
                   && list.entries().first().state != DownloadList::State::Running;
        };
        if (!EventWait::until(finished, 30000))
            return {};
        if (status)
            *status = h.host.browserInfo;
        if (progress) {
            // The end is told after the list has it.
            if (!EventWait::until([&] { return h.pane()->downloadProgress() == -1 && !progressed.isEmpty(); }, 5000))
                return {};
            for (const QList<QVariant> &signal : progressed)
                progress->append(signal.at(0).toInt());
        }
        return list.entries().first();
    }

    // Sends one file, slow.bin, in six pieces 400 ms apart, so the engine
    // sees it come in bit by bit.
    class TricklingServer : public QTcpServer
    {
    public:
        static constexpr int Pieces = 6;
        static constexpr int PieceBytes = 100 * 1024;
        TricklingServer()
        {
            listen(QHostAddress::LocalHost);
            connect(this, &QTcpServer::newConnection, this, [this] {
                while (QTcpSocket *socket = nextPendingConnection())
                    connect(socket, &QTcpSocket::readyRead, socket, [socket] { answer(socket); });
            });
        }
        QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/slow.bin").arg(serverPort())); }

    private:
        static void answer(QTcpSocket *socket)
        {
            QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            if (!request.startsWith("GET /slow.bin ")) {
                socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                socket->disconnectFromHost();
                return;
            }
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                          + QByteArray::number(Pieces * PieceBytes) + "\r\nConnection: close\r\n\r\n");
            auto *timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket, timer, sent = 0]() mutable {
                socket->write(QByteArray(PieceBytes, char('a' + sent)));
                if (++sent == Pieces) {
                    timer->stop();
                    socket->disconnectFromHost();
                }
            });
            timer->start(400);
        }
    };

    LocalWebServer m_server;
    TricklingServer m_trickle;
    const QByteArray m_zip = QByteArray("PK\x03\x04", 4) + QByteArray(3000, 'z');

private slots:
    void initTestCase()
    {
        EngineSetup::chooseRendering();
        QVERIFY(m_server.isListening());
        m_server.addResponder("/report.zip", [this](const QByteArray &) {
            return fileResponse("Content-Type: application/zip\r\n", m_zip);
        });
        m_server.addResponder("/attachment", [](const QByteArray &) {
            return fileResponse("Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"notes.txt\"\r\n",
                                "some notes");
        });
        m_server.addResponder("/hidden", [](const QByteArray &) {
            return fileResponse("Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\".profile\"\r\n",
                                "not hidden");
        });
        // Announces far more than it sends, then closes.
        m_server.addResponder("/broken.zip", [this](const QByteArray &) {
            return fileResponse("Content-Type: application/zip\r\n", m_zip, 200000);
        });
        QVERIFY(!QFileInfo::exists(folder()));
    }

    // A file the engine cannot show, or one the server calls an attachment,
    // lands in the download folder (made when missing) under the server's
    // name, and the pane says so.
    void downloadsGoToTheFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("zip type") << "/report.zip" << "report.zip" << m_zip;
        QTest::newRow("attachment") << "/attachment" << "notes.txt" << QByteArray("some notes");
        QTest::newRow("leading dot") << "/hidden" << "profile" << QByteArray("not hidden");
    }
    void downloadsGoToTheFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QByteArray, body);
        QFile::remove(QDir(folder()).filePath(name));
        QStringList status;
        const DownloadList::Entry entry = download(m_server.url(path), &status);
        QCOMPARE(int(entry.state), int(DownloadList::State::Done));
        QCOMPARE(entry.name, name);
        QCOMPARE(entry.path, QDir(folder()).filePath(name));
        QCOMPARE(entry.bytes, qint64(body.size()));
        QCOMPARE(contents(name), body);
        QVERIFY(!QFileInfo::exists(entry.path + ".part"));
        QVERIFY2(status.contains(QStringLiteral("Downloaded %1 to %2").arg(name, folder())), qPrintable(status.join('\n')));
    }

    // The same name again never overwrites: the later ones are numbered.
    void sameNameTwiceKeepsBoth()
    {
        const QDir dir(folder());
        for (const char *name : {"report.zip", "report (1).zip", "report (2).zip"})
            QFile::remove(dir.filePath(QLatin1String(name)));
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(QFile(dir.filePath("report.zip")).open(QIODevice::WriteOnly));
        QCOMPARE(download(m_server.url("/report.zip")).name, QStringLiteral("report (1).zip"));
        QCOMPARE(download(m_server.url("/report.zip")).name, QStringLiteral("report (2).zip"));
        QCOMPARE(contents("report.zip"), QByteArray());
        QCOMPARE(contents("report (1).zip"), m_zip);
        QCOMPARE(contents("report (2).zip"), m_zip);
    }

    // The server closes mid-file: nothing stands under the file's name.
    void brokenOffDownloadLeavesNoFile()
    {
        QStringList status;
        const DownloadList::Entry entry = download(m_server.url("/broken.zip"), &status);
        QCOMPARE(entry.name, QStringLiteral("broken.zip"));
        QCOMPARE(int(entry.state), int(DownloadList::State::BrokenOff));
        QVERIFY(!QFileInfo::exists(QDir(folder()).filePath("broken.zip")));
        QVERIFY(!QFileInfo::exists(QDir(folder()).filePath("broken.zip.part")));
        QVERIFY(status.contains(DownloadKeeper::brokenOffText("broken.zip")));
    }

    // The pane tells how far its download has come: rising percentages
    // while it runs, -1 once it is done or has broken off (after the engine
    // has tried again by itself).
    void progressReachesThePane_data()
    {
        QTest::addColumn<bool>("trickled");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("lowestTop"); // the last percentage before the end is at least this
        QTest::addColumn<int>("highestTop"); // and at most this
        QTest::newRow("done, in pieces") << true << int(DownloadList::State::Done) << 50 << 100;
        // 3004 of the 200000 bytes announced.
        QTest::newRow("broken off") << false << int(DownloadList::State::BrokenOff) << 1 << 1;
    }
    void progressReachesThePane()
    {
        QFETCH(bool, trickled);
        QFETCH(int, state);
        QFETCH(int, lowestTop);
        QFETCH(int, highestTop);
        QFile::remove(QDir(folder()).filePath("slow.bin"));
        QList<int> progress;
        const DownloadList::Entry entry = download(trickled ? m_trickle.url() : m_server.url("/broken.zip"), nullptr, &progress);
        const QString seen = [&] {
            QStringList texts;
            for (int p : progress)
                texts << QString::number(p);
            return texts.join(' ');
        }();
        QCOMPARE(int(entry.state), state);
        QVERIFY2(progress.size() >= 2 && progress.last() == -1, qPrintable(seen));
        const QList<int> running = progress.mid(0, progress.size() - 1);
        QVERIFY2(std::is_sorted(running.begin(), running.end()) && running.first() >= 0, qPrintable(seen));
        QVERIFY2(running.last() >= lowestTop && running.last() <= highestTop, qPrintable(seen));
        if (trickled) // seen on its way, not only at the start and the end
            QVERIFY2(std::any_of(running.begin(), running.end(), [](int p) { return p > 0 && p < 100; }), qPrintable(seen));
    }

    // Names from the server never leave the folder nor hide in it.
    void safeNames_data()
    {
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "a.txt" << "a.txt";
        QTest::newRow("folders") << "../../etc/passwd" << "passwd";
        QTest::newRow("backslashes") << "..\\windows\\evil.exe" << "evil.exe";
        QTest::newRow("leading dots") << "...bashrc" << "bashrc";
        QTest::newRow("only dots") << ".." << "download";
        QTest::newRow("empty") << "" << "download";
        QTest::newRow("trailing slash") << "dir/" << "download";
    }
    void safeNames()
    {
        QFETCH(QString, suggested);
        QFETCH(QString, expected);
        QCOMPARE(DownloadKeeper::safeName(suggested), expected);
    }

    // A name taken by a file, or by a partial file, is numbered on.
    void freeNames_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList{} << "a.zip" << "a.zip";
        QTest::newRow("taken") << QStringList{"a.zip"} << "a.zip" << "a (1).zip";
        QTest::newRow("twice taken") << QStringList{"a.zip", "a (1).zip"} << "a.zip" << "a (2).zip";
        QTest::newRow("partial") << QStringList{"a.zip.part"} << "a.zip" << "a (1).zip";
        QTest::newRow("no extension") << QStringList{"README"} << "README" << "README (1)";
        QTest::newRow("double extension") << QStringList{"b.tar.gz"} << "b.tar.gz" << "b (1).tar.gz";
    }
    void freeNames()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString &file : existing)
            QVERIFY(QFile(dir.filePath(file)).open(QIODevice::WriteOnly));
        QCOMPARE(DownloadKeeper::instance().freeName(dir.path(), name), expected);
    }

    // The downloads menu lists the last downloads and opens the folder.
    void downloadsMenuOpensTheFolder()
    {
        DownloadList list;
        const int done = list.add("a.zip", "/d/a.zip");
        list.update(done, DownloadList::State::Done, 2048, 2048);
        list.update(list.add("b.zip", "/d/b.zip"), DownloadList::State::BrokenOff, 10, 100);
        RecordingShell shell;
        QMenu menu;
        fillDownloadsMenu(&menu, list, "/d", shell);
        QStringList texts;
        for (QAction *action : menu.actions())
            if (!action->isSeparator())
                texts << action->text();
        QCOMPARE(texts, QStringList({"b.zip - broken off", "a.zip - done (2 KB)", "Open download folder"}));
        QVERIFY(!menu.actions().at(0)->isEnabled());
        menu.actions().at(1)->trigger();
        menu.actions().last()->trigger();
        QCOMPARE(shell.opened, QStringList({"/d/a.zip", "/d"}));
    }
};

QTEST_MAIN(TestDownloads)
#include "test_downloads.moc"
