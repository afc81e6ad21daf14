#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>

#include <optional>

// The user's answers to what sites asked, shared by every pane for the run:
// a feature (camera, location, notifications, ...) per site, and the hosts
// whose invalid certificate the user let through or turned down.
class SitePermissions
{
public:
    // The question for a site's request: "<host> wants to use your camera. Allow?"
    static QString question(const QUrl &origin, QWebEnginePage::Feature feature);

    static std::optional<bool> answer(const QUrl &origin, QWebEnginePage::Feature feature);
    // Kept for the run, and in the permission file when there is one.
    static void remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed);

    // Keeps the answers in path as well (one "<site> <feature> allow|deny"
    // line each) and reads the ones kept there before. Empty: for the run
    // only.
    static void setStoreFile(const QString &path);
    // The message of the last save that failed, empty when it went well.
    static QString lastSaveFailure();

    static std::optional<bool> certificateAnswer(const QString &host);
    static void rememberCertificate(const QString &host, bool accepted);

    // Forgets every answer of the run (tests start afresh).
    static void forgetAll();

private:
    struct Store;
    static Store &store();
    static QString key(const QUrl &origin, QWebEnginePage::Feature feature);
    static void save();
};
