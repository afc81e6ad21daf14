#include "pane/enginesetup.h"

#include <QByteArray>
#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QtGlobal>

namespace EngineSetup {

// One renderer process per site instead of one per page: 64 small local
// pages load in about 1.1 s instead of 3.2 s and take about 505 MB in all
// instead of 860 MB (bench/bench_grid on a 2-core machine). Most of what
// remains is the browser process's per-view picture buffers, which grow with
// the pane size, not with the process model.
const char *programFlags()
{
    return "--process-per-site";
}

namespace {
// Whether applyBeforeApplication() set QT_XCB_GL_INTEGRATION.
bool s_keptOpenGlOut = false;
} // namespace

bool hasGraphicsDevice(const QString &devices)
{
    const QDir root(devices);
    const QDir dri(root.filePath(QStringLiteral("dri")));
    return !dri.entryList({QStringLiteral("card*"), QStringLiteral("renderD*")}, QDir::System | QDir::Files).isEmpty()
        || !root.entryList({QStringLiteral("nvidia[0-9]*")}, QDir::System | QDir::Files).isEmpty();
}

void applyBeforeApplication(const QString &devices)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.isEmpty())
        flags += ' ';
    flags += programFlags();
    const bool userChose = qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")
        || qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND");
    // The engine then warns once that it found no graphics backend, and
    // draws in software.
    if (!userChose && !hasGraphicsDevice(devices)) {
        qputenv("QT_XCB_GL_INTEGRATION", "none");
        s_keptOpenGlOut = true;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

void applyBeforeApplication()
{
    applyBeforeApplication(QStringLiteral("/dev"));
}

bool isSoftwareRenderer(const QByteArray &glRenderer)
{
    const QByteArray name = glRenderer.toLower();
    for (const char *software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
        if (name.contains(software))
            return true;
    return false;
}

namespace {

// The renderer string of the OpenGL the platform gives, empty when it gives
// none.
QByteArray openGlRenderer()
{
    QOpenGLContext context;
    if (!context.create())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {};
    const auto *text = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    QByteArray renderer(text ? text : "");
    context.doneCurrent();
    return renderer;
}

} // namespace

Rendering chooseRendering()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        return qgetenv("QT_QUICK_BACKEND") == "software" ? Rendering::Software : Rendering::Gpu;
    const QByteArray renderer = openGlRenderer();
    // The platform has read its OpenGL choice by now; the programs a page
    // has the desktop start must not inherit it (a Qt Quick program cannot
    // start without OpenGL).
    if (s_keptOpenGlOut) {
        qunsetenv("QT_XCB_GL_INTEGRATION");
        s_keptOpenGlOut = false;
    }
    if (!renderer.isEmpty() && !isSoftwareRenderer(renderer))
        return Rendering::Gpu;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return Rendering::Software;
}

} // namespace EngineSetup
