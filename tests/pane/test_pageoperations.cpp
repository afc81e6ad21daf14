#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "pane/browserpane.h"
#include "pane/pageoperations.h"
#include "pane/printpreviewdialog.h"
#include "support/fakebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/recordingpanehost.h"
#include "support/scriptedfiledialogs.h"
#include "support/smalldisk.h"
#include "support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// The program's resident memory, from /proc.
qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

class TestPageOperations : public QObject
{
    Q_OBJECT

    // One pane on the real engine, alone in a window.
    struct Harness
    {
        RecordingPaneHost host;
        PlainPaneLook look;
        QWidget window;
        BrowserPane *pane;

        Harness()
        {
            window.resize(500, 400);
            pane = new BrowserPane(host, look, &window);
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
        // Loads an address and waits for its document.
        bool load(const QUrl &url)
        {
            QSignalSpy done(control(), &BrowserControl::documentComplete);
            pane->navigateTo(url.toString());
            return EventWait::until(
                [&] { return !done.isEmpty() && control()->locationUrl() == url.toString() && ops().ready(); }, 20000);
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

    // One pane on a recording control that has shown http://a.test/page.
    struct FakePane
    {
        RecordingPaneHost host;
        PlainPaneLook look;
        QWidget window;
        BrowserPane pane{host, look, &window, [](QWidget *parent) { return new FakeBrowserControl(parent); }};
        FakeBrowserControl *fake = nullptr;

        FakePane()
        {
            pane.initBrowserPane();
            fake = static_cast<FakeBrowserControl *>(pane.control());
            pane.navigateTo(QStringLiteral("http://a.test/page"));
        }
    };

    LocalWebServer m_server;

    static QByteArray page(const QByteArray &body, const QByteArray &title = "Page")
    {
        return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body
               + "</body></html>";
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        m_server.addPage("/tall", page("<div style=\"height:5000px\">top</div><p>bottom</p>"));
        m_server.addPage("/green", "<!DOCTYPE html><html><head><title>Green: a/b</title></head>"
                                   "<body style=\"margin:0;background:#00ff00\"><p id=\"marker\">Marker text</p>"
                                   "<div style=\"height:3000px\"></div></body></html>");
        m_server.addPage("/links", page("<a href=\"HTTP://B.Example/Path\">1</a><a href=\"https://a.example/\">2</a>"
                                        "<a href=\"http://b.example/path\">3</a><a href=\"https://A.example/\">4</a>"
                                        "<a href=\"/Local\">5</a><a href=\"mailto:someone@example.com\">6</a>"
                                        "<a href=\"ftp://files.example/\">7</a><a name=\"anchor\">8</a>"
                                        "<a href=\"javascript:void(0)\">9</a>"));
        QByteArray many;
        for (int i = 1; i <= 1200; ++i)
            many += "<p id=\"p" + QByteArray::number(i) + "\">a needle here</p>";
        m_server.addPage("/many", page(many));
        m_server.addPage("/words", page("<p>alpha beta alphabet</p><p>gamma alpha</p>"));
        QByteArray longText;
        for (int i = 1; i <= 1500; ++i)
            longText += "<p>Paragraph " + QByteArray::number(i) + ": a line of documentation text to print.</p>";
        m_server.addPage("/long", page(longText));
    }

    // A long page prints once to a preview that comes up within seconds,
    // without the program's memory running away; a second press while it
    // is open is refused; the preview's pages go to paper in full.
    void printsALongPageToAPreviewAndOnPaper()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/long")));
        QTemporaryDir dir;
        const QString paper = dir.filePath(QStringLiteral("paper.pdf"));
        const qint64 before = residentKilobytes();
        QElapsedTimer clock;
        clock.start();
        int pages = 0;
        qint64 shownAfter = -1;
        bool secondPress = true;
        QVERIFY(h.ops().browserPrint([&](QWidget *parent, const QByteArray &pdf) {
            PrintPreviewDialog preview(pdf, parent);
            preview.show();
            if (!QTest::qWaitForWindowExposed(&preview))
                return false;
            QPdfDocument *document = preview.document();
            if (!EventWait::until([&] { return document->status() == QPdfDocument::Status::Ready; }, 10000))
                return false;
            preview.view()->grab(); // the first pages painted
            shownAfter = clock.elapsed();
            pages = document->pageCount();
            secondPress = h.ops().browserPrint([](QWidget *, const QByteArray &) { return true; });
            if (preview.pageText() != QStringLiteral("Page 1 of %1").arg(pages))
                return false;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(paper);
            // 72 dpi keeps the test quick; the program prints at up to 300.
            return PrintPreviewDialog::printDocument(*document, printer, 0, 0, 72);
        }));
        QVERIFY(!h.ops().printing());
        qInfo() << pages << "pages, preview after" << shownAfter << "ms, all done after" << clock.elapsed() << "ms,"
                << (residentKilobytes() - before) / 1024 << "MB more";
        QVERIFY2(shownAfter >= 0 && shownAfter < 10000, qPrintable(QString::number(shownAfter)));
        QVERIFY2(pages >= 20, qPrintable(QString::number(pages)));
        QVERIFY(!secondPress);
        const qint64 grown = residentKilobytes() - before;
        QVERIFY2(grown < 200 * 1024, qPrintable(QStringLiteral("%1 kB more").arg(grown)));
        QFile file(paper);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(data.startsWith("%PDF"));
        static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
        QCOMPARE(QString::fromLatin1(data).count(pageObject), pages);
    }

    void printingPartOfThePreview()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/tall")));
        QTemporaryDir dir;
        int printed = -1;
        QVERIFY(h.ops().browserPrint([&](QWidget *, const QByteArray &pdf) {
            PrintPreviewDialog preview(pdf);
            QPdfDocument *document = preview.document();
            if (!EventWait::until([&] { return document->status() == QPdfDocument::Status::Ready; }, 10000))
                return false;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("two.pdf")));
            // Pages 2 to 3, and beyond the end nothing more than there is.
            if (!PrintPreviewDialog::printDocument(*document, printer, 2, 99, 72))
                return false;
            printed = document->pageCount() - 1;
            return !PrintPreviewDialog::printDocument(*document, printer, 5, 4, 72);
        }));
        QFile file(dir.filePath(QStringLiteral("two.pdf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
        QVERIFY(printed >= 1);
        QCOMPARE(QString::fromLatin1(file.readAll()).count(pageObject), printed);
    }

    void linksAreHttpAndHttpsOnlyLowerCasedSortedOnce()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/links")));
        QVERIFY(h.ops().fillLinksList());
        const QString local = m_server.url("/local").toString();
        QCOMPARE(h.ops().linksList(), QStringList({local, "http://b.example/path", "https://a.example/"}));
    }

    void highlightsWhatAReaderWouldFind_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("any case") << QByteArray("Foo food FOO") << "foo" << false << QStringList{"Foo", "foo", "FOO"};
        QTest::newRow("whole word") << QByteArray("foo unbelievable") << "liev" << true << QStringList{"unbelievable"};
        QTest::newRow("across markup") << QByteArray("high<b>light</b>ed") << "hlig" << false << QStringList{"hlig"};
        QTest::newRow("script") << QByteArray("<script>var needle;</script>") << "needle" << false << QStringList();
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
        h.ops().highlightText(text, QStringLiteral("#FFFF00"), wholeWord);
        QCOMPARE(h.highlights(), expected);
        QCOMPARE(h.pane->hasHighlights(), !expected.isEmpty());
    }

    void highlightStopsAfter1001Passes()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/many")));
        h.ops().highlightText(QStringLiteral("NEEDLE"), QStringLiteral("#FF00FF"), false);
        QCOMPARE(h.highlights().size(), PageOperations::HighlightPassLimit);
        // The first 1001 in reading order.
        QVERIFY(h.eval(QStringLiteral("!!document.querySelector('#p1001 span')")).toBool());
        QVERIFY(!h.eval(QStringLiteral("!!document.querySelector('#p1002 span')")).toBool());
    }

    void sameTextIsHighlightedOncePerPage()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        const QString colour = QStringLiteral("#FF00FF");
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QCOMPARE(h.highlights().size(), 3);
        // A new page forgets the text highlighted in the last one.
        QVERIFY(h.load(m_server.url("/words")));
        h.ops().highlightText(QStringLiteral("alpha"), colour, false);
        QCOMPARE(h.highlights().size(), 3);
    }

    // The search box's text is highlighted, in its colour, as each page loads.
    void searchOnDownload()
    {
        Harness h;
        h.host.search = {QStringLiteral("alpha"), QColor(0x12, 0xAB, 0xEF), false};
        QVERIFY(h.load(m_server.url("/words")));
        QCOMPARE(h.highlights(), QStringList({"alpha", "alpha", "alpha"}));
        QCOMPARE(h.eval(QStringLiteral("document.querySelector('span').getAttribute('style')")).toString(),
                 QStringLiteral("background-color: #12ABEF"));
    }

    void pageFileName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "Untitled";
        QTest::newRow("100 characters") << QString(90, u'x') + QString(10, u'y') << QString(80, u'x');
        QTest::newRow("only forbidden characters") << "<>:/" << "----";
        QTest::newRow("a mix") << " News: a/b <today>?*|\\\" \n" << "News- a-b -today------";
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
        QTest::newRow("source, other extension typed") << 1 << "page.html" << "page.html.txt";
        QTest::newRow("bitmap") << 2 << "page" << "page.bmp";
    }
    // Only the file asked for, under its full name, and no temporary left.
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
        dialogs.saveAnswer = dir.filePath(typed);
        dialogs.saveFilter = filter;
        QSignalSpy loads(h.control(), &BrowserControl::documentComplete);
        QVERIFY(h.ops().savePage(QStringLiteral("/saves/"), dialogs));
        QCOMPARE(dialogs.proposals, QStringList{"Green- a-b"});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        if (filter == 2) {
            QVERIFY(data.startsWith("BM"));
            QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 28), quint16(24));
            // Taken without scroll bars, though the page is taller than the
            // pane; afterwards they come back, and the page is not reloaded.
            const QImage picture = QImage::fromData(data, "BMP");
            QCOMPARE(picture.pixelColor(picture.width() - 3, picture.height() / 2), QColor(0, 0xFF, 0));
            QCOMPARE(h.eval(QStringLiteral("document.body.style.overflowX + document.body.style.overflowY")).toString(),
                     QStringLiteral("scrollscroll"));
            QVERIFY(!EventWait::until([&] { return !loads.isEmpty(); }, 300));
            return;
        }
        // The page as it stands, highlights included; then loaded afresh.
        QVERIFY(QString::fromUtf8(data).contains(
            QStringLiteral("<span style=\"background-color: #FF00FF\">Marker</span> text")));
        QVERIFY(EventWait::until([&] { return !loads.isEmpty(); }, 20000));
        QVERIFY(h.highlights().isEmpty());
    }

    // On a full disk every kind of save fails, says why, and leaves the
    // earlier file whole.
    void aSaveThatCannotBeWrittenSaysWhy_data()
    {
        QTest::addColumn<int>("filter"); // -1: the print preview's PDF
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("what");
        QTest::newRow("html") << 0 << "page.html" << "the page";
        QTest::newRow("source") << 1 << "page.txt" << "the page";
        QTest::newRow("bitmap") << 2 << "page.bmp" << "the page";
        QTest::newRow("printed to a PDF file") << -1 << "page.pdf" << "the PDF";
    }
    void aSaveThatCannotBeWrittenSaysWhy()
    {
        QFETCH(int, filter);
        QFETCH(QString, name);
        QFETCH(QString, what);
        QTemporaryDir dir;
        SmallDisk disk(dir.filePath(QStringLiteral("disk")));
        if (!disk.available())
            QSKIP("A small tmpfs cannot be mounted here (needs root).");
        const QString path = disk.path() + QLatin1Char('/') + name;
        QVERIFY(TestFiles::write(path, "earlier"));
        disk.fill();
        Harness h;
        QVERIFY(h.load(m_server.url("/green")));
        QString failure;
        if (filter < 0) {
            QVERIFY(h.ops().browserPrint([&](QWidget *parent, const QByteArray &pdf) {
                PrintPreviewDialog preview(pdf, parent);
                failure = preview.savePdf(path);
                return true;
            }));
        } else {
            ScriptedFileDialogs dialogs;
            dialogs.saveAnswer = path;
            dialogs.saveFilter = filter;
            QVERIFY(!h.ops().savePage(QStringLiteral("/saves/"), dialogs));
            failure = h.ops().saveFailure();
        }
        QCOMPARE(failure, QStringLiteral("Could not save %1: the disk is full. The earlier file is kept.").arg(what));
        QCOMPARE(TestFiles::read(path), QByteArray("earlier"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({".filler", name}));
    }

    void zoomCycleWraps()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        auto *button = h.pane->findChild<QWidget *>(QStringLiteral("skZoom"));
        QVERIFY(button);
        QList<double> factors;
        for (int click = 0; click < 6; ++click) {
            QTest::mouseClick(button, Qt::LeftButton);
            factors << h.control()->zoomFactor();
        }
        QCOMPARE(factors, QList<double>({1.5, 2.0, 0.5, 0.75, 1.0, 1.5}));
    }

    void backWithNoHistory()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        QSignalSpy navigations(h.control(), &BrowserControl::beforeNavigate2);
        // Nowhere to go: reported done, nothing happens.
        QVERIFY(h.ops().browserBack());
        QVERIFY(h.ops().browserForward());
        QVERIFY(!EventWait::until([&] { return !navigations.isEmpty(); }, 300));
    }

    // A recording control tells: the engine drops the blank page unseen.
    void refreshGoesThroughABlankPage()
    {
        FakePane f;
        QVERIFY(f.pane.pages().browserRefresh());
        QCOMPARE(f.fake->stops, 1);
        QCOMPARE(f.fake->navigations, QStringList({"http://a.test/page", "about:blank", "http://a.test/page"}));
        // The refresher reloads a pane once per cycle.
        f.pane.pages().refreshOnce();
        f.pane.pages().refreshOnce();
        QVERIFY(f.pane.refreshedThisCycle());
        QCOMPARE(f.fake->navigations.size(), 5);
    }

    void stopBySetting_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("stops");
        QTest::addColumn<QString>("address");
        QTest::newRow("force about:blank") << 0 << 0 << "about:blank";
        QTest::newRow("inherited") << 1 << 1 << "http://a.test/page";
        QTest::newRow("other") << 2 << 0 << "http://a.test/page";
    }
    void stopBySetting()
    {
        QFETCH(int, setting);
        QFETCH(int, stops);
        QFETCH(QString, address);
        FakePane f;
        QVERIFY(f.pane.pages().browserStop(setting));
        QCOMPARE(f.fake->stops, stops);
        QCOMPARE(f.fake->locationUrl(), address);
    }

    void closingPaneRefusesEveryOperation()
    {
        Harness h;
        QVERIFY(h.load(m_server.url("/words")));
        h.pane->closeBrowserPane();
        PageOperations &ops = h.ops();
        ScriptedFileDialogs dialogs;
        QVERIFY(!ops.browserBack());
        QVERIFY(!ops.browserStop(1));
        QVERIFY(!ops.browserPrint([](QWidget *, const QByteArray &) { return true; }));
        QVERIFY(!ops.savePage(QString(), dialogs));
        QVERIFY(dialogs.proposals.isEmpty());
        QVERIFY(!ops.zoomBrowser());
        ops.refreshOnce();
        QVERIFY(!h.pane->refreshedThisCycle());
        ops.highlightText(QStringLiteral("alpha"), QStringLiteral("#FF00FF"), false);
        QVERIFY(h.pane->highlightedText().isEmpty());
    }
};

QTEST_MAIN(TestPageOperations)
#include "test_pageoperations.moc"
