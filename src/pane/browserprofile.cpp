#include "pane/browserprofile.h"

#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace BrowserProfile {

QWebEngineProfile *shared()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QStringLiteral("Vorlan"), QCoreApplication::instance());
        // A local page may show its own pictures but not read other files
        // (the settings, the address file) by script, as in desktop
        // browsers; web pages never reach local files at all.
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        return p;
    }();
    return profile;
}

} // namespace BrowserProfile
