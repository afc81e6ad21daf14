#pragma once

#include <QString>

#include <mpv/client.h>

// libmpv, loaded the first time a song is played rather than when the
// program starts: with the more than two hundred libraries it pulls in, it
// would hold about 37 MB of the program's memory in a session that plays no
// music. The functions the player uses, resolved from it.
struct MpvLibrary
{
    decltype(&mpv_create) create = nullptr;
    decltype(&mpv_initialize) initialize = nullptr;
    decltype(&mpv_terminate_destroy) terminateDestroy = nullptr;
    decltype(&mpv_set_option_string) setOptionString = nullptr;
    decltype(&mpv_set_wakeup_callback) setWakeupCallback = nullptr;
    decltype(&mpv_wait_event) waitEvent = nullptr;
    decltype(&mpv_command) command = nullptr;
    decltype(&mpv_command_ret) commandRet = nullptr;
    decltype(&mpv_free_node_contents) freeNodeContents = nullptr;
    decltype(&mpv_set_property) setProperty = nullptr;
    decltype(&mpv_get_property) getProperty = nullptr;

    // Loads the library once; null when it cannot be loaded or lacks one of
    // the functions, and error (if given) then says why.
    static const MpvLibrary *load(QString *error = nullptr);
};
