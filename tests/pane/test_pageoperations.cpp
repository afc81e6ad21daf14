#include "app/eventwait.h"
#include "app/filedialogs.h"
#include "app/runtimeflags.h"
#include "pane/browserpane.h"
#include "pane/pageoperations.h"
#include "pane/panehost.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/fakebrowsercontrol.h"
#include "support/localwebserver.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <QtEndian>

// The window around the pane under test: records messages and answers the
// search settings from fields.
class TestHost : public PaneHost
{
public:
    bool activateBrowser(int) override { return true; }
    void showInformation(const QString &text) override { messages << text; }
    void closeOpenMessageBox() override {}
    void addToHistory(const QString &) override {}
    int openEmptyBrowser() override { return NoIndex; }
    BrowserControl *browserControl(int) const override { return nullptr; }
    void setBrowserInfo(const QString &) override {}
    void setActiveIP(const QString &) override {}
    int popUpBrowserSetting() const override { return 2; }
    Qt::KeyboardModifiers keyboardModifiers() const override { return Qt::NoModifier; }
    bool scannerRunning() const override { return scanner; }
    QString searchOnDownloadText() const override { return searchText; }
    QColor searchColor() const override { return colour; }
    bool searchProximate() const override { return proximate; }
    QColor activeBorderColor() const override { return Qt::red; }
    QColor gridBackgroundColor() const override { return Qt::gray; }
    QColor statusBarFontColor() const override { return Qt::black; }
    QColor statusBarFontShadowColor() const override { return Qt::white; }
    PaneButtonSkin paneButtonSkin(bool, bool) const override { return {}; }
    QImage panePicture(PanePicture picture) const override
    {
        QImage image(picture == PanePicture::Busy ? QSize(32, 32) : QSize(16, 16), QImage::Format_ARGB32);
        image.fill(picture == PanePicture::Busy ? Qt::blue : Qt::transparent);
        return image;
    }

    QStringList messages;
    bool scanner = false;
    QString searchText;
    QColor colour = QColor(0xFF, 0x00, 0xFF);
    bool proximate = false;
};

// Answers the save dialog from a plan and keeps what it was asked.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct SaveAsk
    {
        QString title, folder, proposal;
        QStringList filters;
        QString defaultSuffix;
    };

    QString getSaveFileName(const QString &title, const QString &folder, const QString &proposal,
                            const QStringList &filters, const QString &defaultSuffix, int *chosenFilter) override
    {
        asks.append({title, folder, proposal, filters, defaultSuffix});
        if (chosenFilter)
            *chosenFilter = filter;
        return answer;
    }
    QString getOpenFileName(const QString &, const QString &, const QString &, const QString &) override
    {
        return {};
    }

    QList<SaveAsk> asks;
    QString answer; // empty: cancelled
    int filter = 0;
};

class TestPageOperations : public QObject
{
    Q_OBJECT

    // One pane on the real engine, alone in a window.
    struct Harness
    {
        TestHost host;
        QWidget window;
        BrowserPane *pane;

        Harness()
        {
            window.resize(500, 400);
            pane = new BrowserPane(host, &window);
            pane->setGeometry(0, 0, 420, 320);
            pane->initBrowserPane();
            window.show();
        }
        ~Harness()
        {
            pane->closeBrowserPane();
            pane->freeBrowserControl();
        }
        PageOperations &ops() { return pane->pages(); }
        BrowserControl *control() const { return pane->control(); }
        QWebEngineView *view() const { return qobject_cast<WebEngineBrowserControl *>(pane->control())->view(); }
        // Loads an address and waits for its document.
        bool load(const QUrl &url)
        {
            QSignalSpy done(control(), &BrowserControl::documentComplete);
            pane->navigateTo(url.toString());
            return EventWait::until([&] { return !done.isEmpty() && control()->locationUrl() == url.toString(); },
                                    20000)
                   && EventWait::until([&] { return ops().ready(); }, 20000);
        }
        QVariant eval(const QString &script)
        {
            QVariant value;
            return control()->runScript(script, 5000, &value) ? value : QVariant();
        }
        // Texts of the highlight spans, in document order.
        QStringList highlights()
        {
            return eval(QStringLiteral("Array.from(document.querySelectorAll('span[style^=\"background-color\"]'),"
                                       " s => s.textContent)"))
                .toStringList();
        }
    };

    LocalWebServer m_server;
    QTcpServer m_silentServer; // takes connections and never answers

    static QByteArray page(const QByteArray &body, const QByteArray &title = "Page")
    {
        return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body
               + "</body></html>";
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        QVERIFY(m_silentServer.listen(QHostAddress::LocalHost));
        m_server.addPage("/a", page("<p>page a</p>", "A"));
        m_server.addPage("/b", page("<p>page b</p>", "B"));
        m_server.addPage("/tall", page("<div style=\"height:5000px\">top</div><p>bottom</p>", "Tall"));
        m_server.addPage("/green", "<!DOCTYPE html><html><head><title>Green: a/b</title></head>"
                                   "<body style=\"margin:0;background:#00ff00\"><p id=\"marker\">Marker text</p>"
                                   "<div style=\"height:3000px\"></div></body></html>");
        m_server.addPage("/links", page("<a href=\"HTTP://B.Example/Path\">1</a>"
                                        "<a href=\"https://a.example/\">2</a>"
                                        "<a href=\"http://b.example/path\">3</a>"
                                        "<a href=\"https://A.example/\">4</a>"
                                        "<a href=\"/Local\">5</a>"
                                        "<a href=\"mailto:someone@example.com\">6</a>"
                                        "<a href=\"ftp://files.example/\">7</a>"
                                        "<a name=\"anchor\">8</a>"
                                        "<a href=\"javascript:void(0)\">9</a>"));
        QByteArray many;
        for (int i = 1; i <= 1200; ++i)
            many += "<p id=\"p" + QByteArray::number(i) + "\">a needle here</p>";
        m_server.addPage("/many", page(many + "<div style=\"height:3000px\"></div>"));
        m_server.addPage("/words", page("<p>alpha beta alphabet</p><p>gamma alpha</p>"));
    }

    void printsTheWholePageOnPaper()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/tall")));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        int previews = 0;
        const auto toPdf = [&](QWidget *, const std::function<bool(QPrinter *)> &paint) {
            ++previews;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return paint(&printer);
        };
        QVERIFY(h.ops().browserPrint(toPdf));
        QCOMPARE(previews, 1);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(data.startsWith("%PDF"));
        // 5000 pixels of page do not fit on one sheet: the whole document is
        // printed, not just what the pane shows.
        static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
        QVERIFY2(QString::fromLatin1(data).count(pageObject) >= 2, "the page was not printed in full");
    }

    void linksAreHttpAndHttpsOnlyLowerCasedSortedOnce()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/links")));
        QVERIFY(h.ops().fillLinksList());
        const QString local = m_server.url("/local").toString();
        QCOMPARE(h.ops().linksList(), QStringList({local, "http://b.example/path", "https://a.example/"}));
        // A second fill starts afresh.
        QVERIFY(h.load(m_server.url("/a")));
        QVERIFY(h.ops().fillLinksList());
        QVERIFY(h.ops().linksList().isEmpty());
    }

    void highlightsWhatAReaderWouldFind_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("any case") << QByteArray("<p>Foo food FOO</p>") << "foo" << false
                                  << QStringList({"Foo", "foo", "FOO"});
        QTest::newRow("whole word grows to the word") << QByteArray("<p>foo unbelievable bar</p>") << "liev" << true
                                                      << QStringList({"unbelievable"});
        QTest::newRow("a word is highlighted once") << QByteArray("<p>axa axaxa</p>") << "x" << true
                                                    << QStringList({"axa", "axaxa"});
        QTest::newRow("whole word stops at punctuation") << QByteArray("<p>(alpha-beta)</p>") << "lph" << true
                                                         << QStringList({"alpha"});
        QTest::newRow("across inline markup") << QByteArray("<p>high<b>light</b>ed</p>") << "hlig" << false
                                              << QStringList({"hlig"});
        QTest::newRow("not from one block into the next") << QByteArray("<p>ab</p><p>cd</p>") << "bc" << false
                                                          << QStringList();
        QTest::newRow("not across a line break") << QByteArray("<p>ab<br>cd</p>") << "bc" << false << QStringList();
        QTest::newRow("not in scripts or styles")
            << QByteArray("<p>x</p><script>var needle = 1;</script><style>.needle{}</style>") << "needle" << false
            << QStringList();
        QTest::newRow("markup characters are text") << QByteArray("<p>a &lt;b&gt; c</p>") << "<b>" << false
                                                    << QStringList({"<b>"});
        QTest::newRow("nothing found") << QByteArray("<p>abc</p>") << "xyz" << false << QStringList();
    }
    void highlightsWhatAReaderWouldFind()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QFETCH(bool, wholeWord);
        QFETCH(QStringList, expected);
        m_server.addPage("/highlight", page(body));
        Harness h;
        QVERIFY(h.load(m_server.url("/highlight")));
        const QString textBefore = h.eval(QStringLiteral("document.body.textContent")).toString();
        h.ops().highlightText(text, QStringLiteral("#FFFF00"), wholeWord);
        QCOMPARE(h.highlights(), expected);
        QCOMPARE(h.pane->hasHighlights(), !expected.isEmpty());
        QCOMPARE(h.pane->highlightedText(), text);
        // Highlighting only wraps: the text of the page is unchanged.
        QCOMPARE(h.eval(QStringLiteral("document.body.textContent")).toString(), textBefore);
        if (!expected.isEmpty())
            QCOMPARE(h.eval(QStringLiteral("document.querySelector('span').getAttribute('style')")).toString(),
                     QStringLiteral("background-color: #FFFF00"));
    }

    void highlightStopsAfter1001Passes()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/many")));
        QVERIFY(h.ops().scrollBrowser(0, 400));
        QCOMPARE(h.eval(QStringLiteral("window.scrollY")).toInt(), 400);
        h.ops().highlightText(QStringLiteral("NEEDLE"), QStringLiteral("#FF00FF"), false);
        QVERIFY(h.pane->hasHighlights());
        QCOMPARE(h.highlights().size(), PageOperations::HighlightPassLimit);
        // The first 1001 in reading order.
        QVERIFY(h.eval(QStringLiteral("!!document.querySelector('#p1001 span')")).toBool());
        QVERIFY(!h.eval(QStringLiteral("!!document.querySelector('#p1002 span')")).toBool());
        QCOMPARE(h.eval(QStringLiteral("window.scrollY")).toInt(), 0);
    }

    void sameTextIsHighlightedOncePerPage()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        const QString colour = QStringLiteral("#FF00FF");
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QCOMPARE(h.highlights().size(), 3);
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QCOMPARE(h.highlights().size(), 3);

        // The search box's highlight runs even for the text just highlighted.
        h.ops().highlightSearchText(QStringLiteral("alpha"), QColor(0, 0x80, 0xFF), false);
        QCOMPARE(h.highlights().size(), 6);
        QVERIFY(h.eval(QStringLiteral("!!document.querySelector('span[style=\"background-color: #0080FF\"]')"))
                    .toBool());

        // Another text that is not there leaves the earlier highlights counted.
        h.ops().highlightText(QStringLiteral("omega"), colour, false);
        QCOMPARE(h.pane->highlightedText(), QStringLiteral("omega"));
        QVERIFY(h.pane->hasHighlights());

        // Clearing forgets the highlights; those in the page stay.
        h.ops().clearHighlight();
        QVERIFY(!h.pane->hasHighlights());
        QVERIFY(h.pane->highlightedText().isEmpty());
        QCOMPARE(h.highlights().size(), 6);

        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QVERIFY(h.load(m_server.url("/words")));
        QVERIFY(h.pane->highlightedText().isEmpty());
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QCOMPARE(h.highlights().size(), 3);
    }

    void searchOnDownload_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("proximate");
        QTest::addColumn<bool>("scanner");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("search text") << "alpha" << false << false << QStringList({"alpha", "alpha", "alpha"});
        QTest::newRow("proximate") << "alpha" << true << false << QStringList({"alpha", "alphabet", "alpha"});
        QTest::newRow("while the scanner runs") << "alpha" << false << true << QStringList();
        QTest::newRow("search on download off") << "" << false << false << QStringList();
    }
    void searchOnDownload()
    {
        QFETCH(QString, text);
        QFETCH(bool, proximate);
        QFETCH(bool, scanner);
        QFETCH(QStringList, expected);
        Harness h;
        h.host.searchText = text;
        h.host.proximate = proximate;
        h.host.scanner = scanner;
        h.host.colour = QColor(0x12, 0xAB, 0xEF);
        QVERIFY(h.load(m_server.url("/words")));
        QCOMPARE(h.highlights(), expected);
        QCOMPARE(h.pane->hasHighlights(), !expected.isEmpty());
        if (!expected.isEmpty())
            QCOMPARE(h.eval(QStringLiteral("document.querySelector('span').getAttribute('style')")).toString(),
                     QStringLiteral("background-color: #12ABEF"));
        QVERIFY(h.host.messages.isEmpty());
    }

    void pageFileName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "A page" << "A page";
        QTest::newRow("empty") << "" << "Untitled";
        QTest::newRow("blanks only") << " \t " << "Untitled";
        QTest::newRow("blanks and control characters trimmed") << "\x01 Title \x1f\n" << "Title";
        QTest::newRow("100 characters") << QString(90, u'x') + QString(10, u'y') << QString(80, u'x');
        QTest::newRow("only forbidden characters") << "*|\\\":?/<>" << "---------";
        QTest::newRow("forbidden characters inside") << "News: a/b <today>?" << "News- a-b -today--";
        QTest::newRow("cut before replaced") << QString(79, u'a') + "//" << QString(79, u'a') + "-";
        QTest::newRow("a pair is never cut in half") << QString(79, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80")
                                                      << QString(79, u'a');
        QTest::newRow("not a file name") << QStringLiteral("a") + QChar(0) + "b" << "Untitled";
    }
    void pageFileName()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        QCOMPARE(PageOperations::makePageFileName(title), expected);
    }

    void savesThePage_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("html") << 0 << "page" << "page.html";
        QTest::newRow("html, extension typed") << 0 << "page.html" << "page.html";
        QTest::newRow("source") << 1 << "page" << "page.txt";
        QTest::newRow("source, other extension typed") << 1 << "page.html" << "page.html.txt";
        QTest::newRow("bitmap") << 2 << "page" << "page.bmp";
    }
    void savesThePage()
    {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        Harness h;
        QVERIFY(h.load(m_server.url("/green")));
        h.ops().highlightText(QStringLiteral("marker"), QStringLiteral("#FF00FF"), false);
        QTemporaryDir dir;
        ScriptedFileDialogs dialogs;
        dialogs.answer = dir.filePath(typed);
        dialogs.filter = filter;
        const int requests = m_server.requestCount("/green");
        QSignalSpy loads(h.control(), &BrowserControl::documentComplete);

        QVERIFY(h.ops().savePage(QStringLiteral("/saves/"), dialogs));
        QCOMPARE(dialogs.asks.size(), 1);
        QCOMPARE(dialogs.asks[0].title, QStringLiteral("Save Web Page As:"));
        QCOMPARE(dialogs.asks[0].folder, QStringLiteral("/saves/"));
        QCOMPARE(dialogs.asks[0].proposal, QStringLiteral("Green- a-b"));
        QCOMPARE(dialogs.asks[0].filters, QStringList({"HTML File (*.html)", "Source File (*.txt)",
                                                       "Bitmap File (*.bmp)"}));
        QCOMPARE(dialogs.asks[0].defaultSuffix, QStringLiteral("html"));
        // Only the file asked for, under its full name; no temporary left.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();

        if (filter == 2) {
            QVERIFY(data.startsWith("BM"));
            QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 28), quint16(24));
            const QSize viewSize = h.view()->size();
            QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 18), viewSize.width());
            QCOMPARE(qAbs(qFromLittleEndian<qint32>(data.constData() + 22)), viewSize.height());
            // The picture shows the page and no scroll bar, though the page
            // is taller than the pane.
            const QImage picture = QImage::fromData(data, "BMP");
            QCOMPARE(picture.pixelColor(viewSize.width() / 2, viewSize.height() - 3), QColor(0, 0xFF, 0));
            QCOMPARE(picture.pixelColor(viewSize.width() - 3, viewSize.height() / 2), QColor(0, 0xFF, 0));
            // Afterwards the page shows its scroll bars, and is not reloaded.
            QCOMPARE(h.eval(QStringLiteral("document.body.style.overflowX + ' ' + document.body.style.overflowY"))
                         .toString(),
                     QStringLiteral("scroll scroll"));
            QVERIFY(!EventWait::until([&] { return !loads.isEmpty(); }, 300));
            QCOMPARE(m_server.requestCount("/green"), requests);
            return;
        }
        // The page as it stands, highlights included.
        const QString text = QString::fromUtf8(data);
        QVERIFY(text.contains(QStringLiteral("<span style=\"background-color: #FF00FF\">Marker</span> text")));
        if (filter == 0) {
            QVERIFY(text.startsWith(QStringLiteral("<!DOCTYPE html>")));
            QVERIFY(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        }
        // The saved page is loaded afresh.
        QVERIFY(EventWait::until([&] { return !loads.isEmpty(); }, 20000));
        QCOMPARE(m_server.requestCount("/green"), requests + 1);
        QVERIFY(h.highlights().isEmpty());
    }

    void cancelledSaveDoesNothing()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/a")));
        ScriptedFileDialogs dialogs;
        QSignalSpy loads(h.control(), &BrowserControl::documentComplete);
        QVERIFY(h.ops().savePage(QString(), dialogs));
        QCOMPARE(dialogs.asks.size(), 1);
        QCOMPARE(dialogs.asks[0].proposal, QStringLiteral("A"));
        QVERIFY(!EventWait::until([&] { return !loads.isEmpty(); }, 300));
    }

    void zoomCycleWraps()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/a")));
        QList<double> factors;
        QList<int> steps;
        for (int click = 0; click < 6; ++click) {
            QVERIFY(h.ops().zoomBrowser());
            factors << h.control()->zoomFactor();
            steps << h.pane->zoomStep();
        }
        QCOMPARE(factors, QList<double>({1.5, 2.0, 0.5, 0.75, 1.0, 1.5}));
        QCOMPARE(steps, QList<int>({1, 2, 3, 4, 5, 1}));
    }

    void zoomButton()
    {
        Harness h;
        auto *button = h.pane->findChild<QWidget *>(QStringLiteral("skZoom"));
        QVERIFY(button);
        // No page yet: nothing to zoom.
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(h.host.messages, QStringList{"Could not zoom the browser,\nit may be busy"});
        QCOMPARE(h.pane->zoomStep(), 0);

        h.host.messages.clear();
        QVERIFY(h.load(m_server.url("/a")));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(h.host.messages.isEmpty());
        QCOMPARE(h.control()->zoomFactor(), 1.5);
    }

    void backAndForward()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/a")));
        QSignalSpy navigations(h.control(), &BrowserControl::beforeNavigate2);
        // Nowhere to go: reported done, nothing happens.
        QVERIFY(h.ops().browserBack());
        QVERIFY(h.ops().browserForward());
        QVERIFY(!EventWait::until([&] { return !navigations.isEmpty(); }, 300));
        QCOMPARE(h.control()->locationUrl(), m_server.url("/a").toString());

        QVERIFY(h.load(m_server.url("/b")));
        QVERIFY(EventWait::until([&] { return h.pane->canGoBack(); }, 20000));
        QVERIFY(h.ops().browserBack());
        QVERIFY(EventWait::until([&] { return h.control()->locationUrl() == m_server.url("/a").toString(); }, 20000));
        QVERIFY(EventWait::until([&] { return h.pane->canGoForward(); }, 20000));
        QVERIFY(h.ops().browserForward());
        QVERIFY(EventWait::until([&] { return h.control()->locationUrl() == m_server.url("/b").toString(); }, 20000));
    }

    void refreshGoesThroughABlankPage()
    {
        // What the control is asked, in order (the engine drops the blank
        // page before it shows, so a recording control tells).
        {
            TestHost host;
            QWidget window;
            BrowserPane pane(host, &window, [](QWidget *parent) { return new FakeBrowserControl(parent); });
            pane.initBrowserPane();
            auto *fake = static_cast<FakeBrowserControl *>(pane.control());
            pane.navigateTo(QStringLiteral("http://a.test/page"));
            QVERIFY(pane.pages().browserRefresh());
            QCOMPARE(fake->stops, 1);
            QCOMPARE(fake->navigations,
                     QStringList({"http://a.test/page", "about:blank", "http://a.test/page"}));
        }
        // On the engine: loaded afresh from the server.
        Harness h;
        const QUrl url = m_server.url("/b");
        QVERIFY(h.load(url));
        const int requests = m_server.requestCount("/b");
        QVERIFY(h.ops().browserRefresh());
        QVERIFY(EventWait::until([&] { return m_server.requestCount("/b") == requests + 1 && h.ops().ready(); },
                                 20000));
        QCOMPARE(h.control()->locationUrl(), url.toString());

        // The refresher reloads a pane once per cycle.
        QVERIFY(!h.pane->refreshedThisCycle());
        h.ops().refreshOnce();
        h.ops().refreshOnce();
        QVERIFY(h.pane->refreshedThisCycle());
        QVERIFY(EventWait::until([&] { return m_server.requestCount("/b") == requests + 2 && h.ops().ready(); },
                                 20000));
        QVERIFY(!EventWait::until([&] { return m_server.requestCount("/b") > requests + 2; }, 300));
    }

    void stopBySetting_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("address"); // where the pane ends up; empty: still loading
        QTest::newRow("force about:blank") << 0 << "about:blank";
        QTest::newRow("inherited") << 1 << "/a";
        QTest::newRow("other") << 2 << "";
    }
    void stopBySetting()
    {
        QFETCH(int, setting);
        QFETCH(QString, address);
        Harness h;
        QVERIFY(h.load(m_server.url("/a")));
        // A page whose server never answers keeps loading.
        h.pane->navigateTo(QStringLiteral("http://127.0.0.1:%1/never").arg(m_silentServer.serverPort()));
        QVERIFY(EventWait::until([&] { return h.control()->busy(); }, 20000));
        QVERIFY(h.ops().browserStop(setting));
        if (address.isEmpty()) {
            QVERIFY(!EventWait::until([&] { return !h.control()->busy(); }, 500));
            return;
        }
        const QString expected = address.startsWith(u'/') ? m_server.url(address).toString() : address;
        QVERIFY(EventWait::until([&] { return !h.control()->busy(); }, 20000));
        QCOMPARE(h.control()->locationUrl(), expected);
    }

    void scrolls()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/tall")));
        QVERIFY(h.ops().scrollBrowser(10, 250));
        QVERIFY(h.ops().scrollBrowser(0, -50));
        QCOMPARE(h.eval(QStringLiteral("window.scrollY")).toInt(), 200);
    }

    void previewShowsThePageOrTheBusyPicture()
    {
        Harness h;
        QImage target(5, 5, QImage::Format_RGB32);
        target.fill(Qt::black);
        // Nothing loaded yet.
        QCOMPARE(h.ops().drawPreview(target, QSize(100, 80)), PageOperations::Preview::Busy);
        QCOMPARE(target.size(), QSize(32, 32));
        QCOMPARE(target.pixelColor(16, 16), QColor(Qt::blue));

        QVERIFY(h.load(m_server.url("/green")));
        QCOMPARE(h.ops().drawPreview(target, QSize(100, 80)), PageOperations::Preview::Page);
        QCOMPARE(target.size(), QSize(100, 80));
        QVERIFY(!target.hasAlphaChannel());
        QCOMPARE(target.pixelColor(50, 70), QColor(0, 0xFF, 0));
    }

    void closingPaneRefusesEveryOperation()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        h.pane->closeBrowserPane();
        PageOperations &ops = h.ops();
        ScriptedFileDialogs dialogs;
        bool previewShown = false;
        QVERIFY(!ops.browserBack());
        QVERIFY(!ops.browserForward());
        QVERIFY(!ops.browserRefresh());
        QVERIFY(!ops.browserStop(1));
        QVERIFY(!ops.browserPrint([&](QWidget *, const std::function<bool(QPrinter *)> &) {
            previewShown = true;
            return true;
        }));
        QVERIFY(!previewShown);
        QVERIFY(!ops.fillLinksList());
        QVERIFY(!ops.savePage(QString(), dialogs));
        QVERIFY(dialogs.asks.isEmpty());
        QVERIFY(!ops.zoomBrowser());
        QVERIFY(!ops.scrollBrowser(0, 10));
        ops.refreshOnce();
        QVERIFY(!h.pane->refreshedThisCycle());
        ops.highlightText(QStringLiteral("alpha"), QStringLiteral("#FF00FF"), false);
        QVERIFY(h.pane->highlightedText().isEmpty());
        QImage target;
        QCOMPARE(ops.drawPreview(target, QSize(10, 10)), PageOperations::Preview::Busy);
    }
};

QTEST_MAIN(TestPageOperations)
#include "test_pageoperations.moc"
