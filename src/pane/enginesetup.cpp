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

// Per site: every site in a page process of its own, as a desktop browser
// isolates sites, so one page's endless script, crash or memory stays with
// its site; the panes of one site share their process, which keeps a grid
// of many pages of few sites light. Shared: the engine's one process for all
// sites, which made 64 small pages about 0.6x as heavy but let one busy page
// freeze every pane.
const char *programFlags(PageProcesses processes)
{
    return processes == PageProcesses::Shared ? "--process-per-site" : "--site-per-process --process-per-site";
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

void applyBeforeApplication(PageProcesses processes, const QString &devices)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.isEmpty())
        flags += ' ';
    flags += programFlags(processes);
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

void applyBeforeApplication(PageProcesses processes)
{
    applyBeforeApplication(processes, QStringLiteral("/dev"));
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
