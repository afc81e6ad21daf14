#include "core/eventwait.h"
#include "pane/enginesetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQuickWidget>
#include <QTemporaryDir>
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
    // The flags and the OpenGL choice made before the application object,
    // with and without a graphics device.
    void beforeTheApplication_data()
    {
        QTest::addColumn<QByteArray>("userFlags");
        QTest::addColumn<QByteArray>("userIntegration"); // QT_XCB_GL_INTEGRATION, empty for unset
        QTest::addColumn<QString>("device");              // a node under the device folder, or none
        QTest::addColumn<bool>("graphicsDevice");
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QByteArray>("integration");
        QTest::addColumn<int>("processes");
        const QByteArray ours("--site-per-process --process-per-site");
        QTest::newRow("card") << QByteArray() << QByteArray() << QStringLiteral("dri/card0") << true << ours << QByteArray() << 0;
        QTest::newRow("user flags stay first")
            << QByteArray("--disable-gpu") << QByteArray() << QStringLiteral("dri/renderD128") << true << "--disable-gpu " + ours
            << QByteArray() << 0;
        QTest::newRow("nvidia") << QByteArray() << QByteArray() << QStringLiteral("nvidia0") << true << ours << QByteArray() << 0;
        QTest::newRow("no device") << QByteArray() << QByteArray() << QString() << false << ours
                                   << QByteArray("none") << 0;
        QTest::newRow("only the nvidia control node")
            << QByteArray() << QByteArray() << QStringLiteral("nvidiactl") << false << ours << QByteArray("none") << 0;
        QTest::newRow("the user's integration stays")
            << QByteArray() << QByteArray("xcb_glx") << QString() << false << ours << QByteArray("xcb_glx") << 0;
        // The lighter choice: the engine's one process for every site.
        QTest::newRow("shared page process") << QByteArray("--disable-gpu") << QByteArray()
                                             << QStringLiteral("dri/card0") << true
                                             << QByteArray("--disable-gpu --process-per-site") << QByteArray() << 1;
    }

    void beforeTheApplication()
    {
        QFETCH(QByteArray, userFlags);
        QFETCH(QByteArray, userIntegration);
        QFETCH(QString, device);
        QFETCH(bool, graphicsDevice);
        QFETCH(QByteArray, flags);
        QFETCH(QByteArray, integration);
        QFETCH(int, processes);
        QTemporaryDir devices;
        QVERIFY(devices.isValid());
        if (!device.isEmpty()) {
            QVERIFY(QDir(devices.path()).mkpath(QFileInfo(devices.filePath(device)).path()));
            QFile node(devices.filePath(device));
            QVERIFY(node.open(QIODevice::WriteOnly));
        }
        QCOMPARE(EngineSetup::hasGraphicsDevice(devices.path()), graphicsDevice);

        const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        const QByteArray savedIntegration = qgetenv("QT_XCB_GL_INTEGRATION");
        const bool hadIntegration = qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", userFlags);
        if (userIntegration.isEmpty())
            qunsetenv("QT_XCB_GL_INTEGRATION");
        else
            qputenv("QT_XCB_GL_INTEGRATION", userIntegration);
        EngineSetup::applyBeforeApplication(EngineSetup::PageProcesses(processes), devices.path());
        const QByteArray gotFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        const QByteArray gotIntegration = qgetenv("QT_XCB_GL_INTEGRATION");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
        if (hadIntegration)
            qputenv("QT_XCB_GL_INTEGRATION", savedIntegration);
        else
            qunsetenv("QT_XCB_GL_INTEGRATION");
        QCOMPARE(gotFlags, flags);
        QCOMPARE(gotIntegration, integration);
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

    // Programs started from the program (through the desktop) get the
    // environment it was started with: OpenGL kept out of this process is
    // not kept out of theirs, and a user's own choice stays.
    void startedProgramsKeepTheirOpenGl_data()
    {
        QTest::addColumn<QByteArray>("userIntegration");
        QTest::newRow("kept out by the program") << QByteArray();
        QTest::newRow("the user's") << QByteArray("none");
    }

    void startedProgramsKeepTheirOpenGl()
    {
        QFETCH(QByteArray, userIntegration);
        QTemporaryDir noDevices;
        QVERIFY(noDevices.isValid());
        const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (userIntegration.isEmpty())
            qunsetenv("QT_XCB_GL_INTEGRATION");
        else
            qputenv("QT_XCB_GL_INTEGRATION", userIntegration);
        EngineSetup::applyBeforeApplication(EngineSetup::PageProcesses::PerSite, noDevices.path());
        QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), QByteArray("none"));
        EngineSetup::chooseRendering();
        QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), userIntegration);
        qunsetenv("QT_XCB_GL_INTEGRATION");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
    }
};

QTEST_MAIN(TestEngineSetup)
#include "test_enginesetup.moc"
