#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class PaneHost;
class QAuthenticator;
class QWebEngineCertificateError;

// What a page asks of its user, put to the user through the pane host's
// prompter: an invalid certificate, a site's wish for the camera, location,
// notifications and the like, and a sign-in. Without a host (a page outside
// the grid) nothing is let through.
class PageQuestions : public QObject
{
    Q_OBJECT
public:
    explicit PageQuestions(QWebEnginePage *page);

    void setHost(PaneHost *host) { m_host = host; }

    static QString certificateQuestion(const QString &host, const QString &reason);
    static QString certificateRefusedText(const QString &host);

    // The page loaded last is shown over an invalid certificate the user let
    // through.
    bool certificateOverridden() const { return m_overridden; }

    // Asks about an invalid certificate (once per host and run); the page
    // is shown over it only on the user's word.
    void certificateError(const QWebEngineCertificateError &error);

signals:
    // A text for the pane's status line that outlasts the end of the load.
    void status(const QString &text);

private:
    void permissionRequested(const QUrl &origin, QWebEnginePage::Feature feature);
    void authenticationRequired(const QUrl &url, QAuthenticator *authenticator);
    void loadFinished();

    QWebEnginePage *m_page;
    PaneHost *m_host = nullptr;
    QString m_pendingStatus; // said again once the load has ended
    QString m_pendingHost;   // the host whose certificate was refused
    bool m_overridden = false;
};
