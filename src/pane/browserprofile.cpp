#include "pane/browserprofile.h"

#include "pane/downloadkeeper.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace BrowserProfile {

QString withoutEngineToken(const QString &userAgent)
{
    static const QRegularExpression token(QStringLiteral("\\s*QtWebEngine/\\S+"));
    return QString(userAgent).remove(token).simplified();
}

QWebEngineProfile *shared()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QStringLiteral("Vorlan"), QCoreApplication::instance());
        // A local page may show its own pictures but not read other files
        // (the settings, the address file) by script, as in desktop
        // browsers; web pages never reach local files at all.
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        // A page may show itself over the whole screen (a video's button).
        p->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
        // Sites see an ordinary desktop browser, without the engine's own
        // name and version.
        p->setHttpUserAgent(withoutEngineToken(p->httpUserAgent()));
        DownloadKeeper::instance().attach(p);
        return p;
    }();
    return profile;
}

} // namespace BrowserProfile
