#pragma once

#include <QString>

class QWebEngineProfile;

namespace BrowserProfile {

// The one profile every page of the program shares (cookies, cache and
// storage under the user's data location). Lives as long as the application.
QWebEngineProfile *shared();

// The engine's user agent without its "QtWebEngine/<version>" word.
QString withoutEngineToken(const QString &userAgent);

} // namespace BrowserProfile
