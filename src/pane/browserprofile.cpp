#include "pane/browserprofile.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

namespace BrowserProfile {

QWebEngineProfile *shared()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QStringLiteral("Vorlan"), QCoreApplication::instance());
        return p;
    }();
    return profile;
}

} // namespace BrowserProfile
