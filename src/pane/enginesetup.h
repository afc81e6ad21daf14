#pragma once

class QByteArray;
class QString;

// Engine settings that must be in place before the application object is
// made (how Qt WebEngine spreads the pages over helper processes, no OpenGL
// on a machine without a graphics device), and the choice of how the views
// draw, made once it exists.
namespace EngineSetup {

// Adds the program's engine flags to QTWEBENGINE_CHROMIUM_FLAGS (flags the
// user set there stay and come first). On a machine with no graphics device
// under devices (an X server such as Xvfb on a server, a container) it also
// keeps OpenGL out of the program: Mesa would only draw on the CPU, and
// loading it costs some 37 MB for nothing. A user's QT_XCB_GL_INTEGRATION,
// QT_QUICK_BACKEND or QSG_RHI_BACKEND stays as it is.
// How the pages are spread over the engine's page processes.
enum class PageProcesses {
    PerSite, // a process per site: a hung, crashed or greedy page costs only its own site's panes
    Shared,  // one process for the pages of all sites: lighter, but one busy page stalls them all
};

void applyBeforeApplication(PageProcesses processes, const QString &devices);
void applyBeforeApplication(PageProcesses processes = PageProcesses::PerSite);

// The flags the program adds for a choice.
const char *programFlags(PageProcesses processes);

// Whether a device folder (normally /dev) holds a graphics card's node:
// a DRM card or render node, or the NVIDIA driver's.
bool hasGraphicsDevice(const QString &devices);

// How the views draw their pages.
enum class Rendering { Gpu, Software };

// Draws the views in software when OpenGL draws in software anyway (Mesa's
// llvmpipe on a machine without a graphics card, a virtual machine, Xvfb) or
// cannot be had: every view through OpenGL on such a machine takes hundreds
// of megabytes and a 16-pane grid never finishes loading. A backend the user
// chose (QT_QUICK_BACKEND, QSG_RHI_BACKEND) stays. Call it after the
// application object is made and before the first web view.
Rendering chooseRendering();

// Whether an OpenGL renderer string names a renderer that draws on the CPU.
bool isSoftwareRenderer(const QByteArray &glRenderer);

} // namespace EngineSetup
