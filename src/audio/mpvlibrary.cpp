#include "audio/mpvlibrary.h"

#include <QLibrary>

namespace {

struct Loader
{
    MpvLibrary functions;
    bool ready = false;
    QString error;

    Loader()
    {
        // The library of the interface the program was built against.
        QLibrary library(QStringLiteral("mpv"), int(MPV_CLIENT_API_VERSION >> 16));
        if (!library.load()) {
            error = library.errorString();
            return;
        }
        bool all = true;
        const auto resolve = [&](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            if (!function) {
                all = false;
                error = QStringLiteral("%1 has no %2").arg(library.fileName(), QString::fromLatin1(name));
            }
        };
        resolve(functions.create, "mpv_create");
        resolve(functions.initialize, "mpv_initialize");
        resolve(functions.terminateDestroy, "mpv_terminate_destroy");
        resolve(functions.setOptionString, "mpv_set_option_string");
        resolve(functions.setWakeupCallback, "mpv_set_wakeup_callback");
        resolve(functions.waitEvent, "mpv_wait_event");
        resolve(functions.command, "mpv_command");
        resolve(functions.commandRet, "mpv_command_ret");
        resolve(functions.freeNodeContents, "mpv_free_node_contents");
        resolve(functions.setProperty, "mpv_set_property");
        resolve(functions.getProperty, "mpv_get_property");
        // Never unloaded: mpv's threads may outlive any one player.
        ready = all;
    }
};

Loader *s_loader = nullptr;

} // namespace

const MpvLibrary *MpvLibrary::load(QString *error)
{
    // Only on the user-interface thread, like the players that call it.
    if (!s_loader)
        s_loader = new Loader;
    if (error)
        *error = s_loader->error;
    return s_loader->ready ? &s_loader->functions : nullptr;
}
