#include "core/eventwait.h"
#include "pane/enginesetup.h"

#include <QQuickWidget>
#include <QSGRendererInterface>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

// How the engine is set up before and after the application object is made.
class TestEngineSetup : public QObject
{
    Q_OBJECT

private slots:
    void userFlagsStayFirst_data()
    {
        QTest::addColumn<QByteArray>("userFlags");
        QTest::addColumn<QByteArray>("flags");
        QTest::newRow("none") << QByteArray() << QByteArray("--process-per-site");
        QTest::newRow("one") << QByteArray("--disable-gpu") << QByteArray("--disable-gpu --process-per-site");
    }

    void userFlagsStayFirst()
    {
        QFETCH(QByteArray, userFlags);
        QFETCH(QByteArray, flags);
        const QByteArray before = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", userFlags);
        EngineSetup::applyProcessModel();
        QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), flags);
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", before);
    }

    void renderersThatDrawOnTheCpu_data()
    {
        QTest::addColumn<QByteArray>("renderer");
        QTest::addColumn<bool>("software");
        QTest::newRow("llvmpipe") << QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)") << true;
        QTest::newRow("softpipe") << QByteArray("softpipe") << true;
        QTest::newRow("swrast") << QByteArray("Mesa X11 swrast") << true;
        QTest::newRow("classic software") << QByteArray("Software Rasterizer") << true;
        // A graphics card whose driver is built with LLVM draws on the card.
        QTest::newRow("radeon") << QByteArray("AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0)")
                                << false;
        QTest::newRow("intel") << QByteArray("Mesa Intel(R) UHD Graphics 620 (KBL GT2)") << false;
        QTest::newRow("nvidia") << QByteArray("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2") << false;
        QTest::newRow("virgl") << QByteArray("virgl (Mesa Intel(R) UHD Graphics 620)") << false;
    }

    void renderersThatDrawOnTheCpu()
    {
        QFETCH(QByteArray, renderer);
        QFETCH(bool, software);
        QCOMPARE(EngineSetup::isSoftwareRenderer(renderer), software);
    }

    // Whatever this machine gives, a page shows in a view drawn the way
    // chosen.
    void aPageShowsWithTheChosenDrawing()
    {
        const EngineSetup::Rendering rendering = EngineSetup::chooseRendering();
        QWebEngineView view;
        view.resize(300, 200);
        view.show();
        QSignalSpy loaded(view.page(), &QWebEnginePage::loadFinished);
        view.setHtml(QStringLiteral("<html><body style='margin:0;background:#00ff00'></body></html>"));
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.first().first().toBool());
        QVERIFY(EventWait::until([&] { return view.grab().toImage().pixelColor(150, 100) == QColor(0, 255, 0); },
                                 10000));
        auto *drawing = qobject_cast<QQuickWidget *>(view.focusProxy());
        QVERIFY(drawing);
        QCOMPARE(drawing->quickWindow()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software,
                 rendering == EngineSetup::Rendering::Software);
    }
};

QTEST_MAIN(TestEngineSetup)
#include "test_enginesetup.moc"
