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

    // The tick box under the question: "Remember this answer for <host>".
    static QString rememberText(const QUrl &origin);

    static std::optional<bool> answer(const QUrl &origin, QWebEnginePage::Feature feature);
    // Kept for the run; with keep, in the permission file as well (when
    // there is one), so it holds at the next start too.
    static void remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed, bool keep = false);

    // The permission file in the data folder (dataFolder ends with "/").
    static QString filePath(const QString &dataFolder);
    // Keeps the answers the user asked to remember in path (one
    // "<site> <feature> allow|deny" line each) and reads the ones kept there
    // before. Lines that cannot be used are skipped; the file is then kept
    // aside as "<name>.damaged-<time>" and the returned text says so (empty
    // when the file was whole or missing). Empty path: for the run only.
    static QString setStoreFile(const QString &path);
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
    static bool knownFeature(int feature);
};
