#include "pane/enginesetup.h"

#include <QByteArray>
#include <QtGlobal>

namespace EngineSetup {

const char *programFlags()
{
    return "--process-per-site";
}

void applyProcessModel()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.isEmpty())
        flags += ' ';
    flags += programFlags();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace EngineSetup
