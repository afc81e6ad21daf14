#include "pane/pagequestions.h"

#include "core/prompter.h"
#include "pane/panehost.h"
#include "pane/sitepermissions.h"

#include <QAuthenticator>
#include <QPointer>
#include <QTimer>
#include <QWebEngineCertificateError>

PageQuestions::PageQuestions(QWebEnginePage *page) : QObject(page), m_page(page)
{
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &PageQuestions::permissionRequested);
    connect(page, &QWebEnginePage::authenticationRequired, this, &PageQuestions::authenticationRequired);
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        // The engine's own page for the refused address is part of the same
        // visit: the refusal stays to be said after its "Done".
        const QUrl requested = m_page->requestedUrl();
        if (requested.scheme() != QLatin1String("chrome-error") && requested.host() != m_pendingHost) {
            m_pendingStatus.clear();
            m_pendingHost.clear();
        }
        m_overridden = false;
    });
    connect(page, &QWebEnginePage::loadFinished, this, &PageQuestions::loadFinished);
}

QString PageQuestions::certificateQuestion(const QString &host, const QString &reason)
{
    return QStringLiteral("The certificate of %1 is not valid: %2. Show the page anyway?").arg(host, reason);
}

QString PageQuestions::certificateRefusedText(const QString &host)
{
    return QStringLiteral("The page was not shown: the certificate of %1 is not valid.").arg(host);
}

void PageQuestions::loadFinished()
{
    // After the control's own "Done" for the same load, whichever was told
    // of the load first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_pendingStatus.isEmpty())
                emit status(m_pendingStatus);
        },
        Qt::QueuedConnection);
}

void PageQuestions::certificateError(const QWebEngineCertificateError &error)
{
    const QString host = error.url().host();
    auto pending = error;
    const auto refuse = [this, host](QWebEngineCertificateError &e) {
        e.rejectCertificate();
        m_pendingStatus = certificateRefusedText(host);
        m_pendingHost = host;
        emit status(m_pendingStatus);
    };
    if (!error.isOverridable()) {
        refuse(pending);
        return;
    }
    if (const std::optional<bool> earlier = SitePermissions::certificateAnswer(host)) {
        if (*earlier) {
            m_overridden = true;
            pending.acceptCertificate();
        } else {
            refuse(pending);
        }
        return;
    }
    if (!m_host) {
        refuse(pending);
        return;
    }
    // The question runs a loop of its own: it is asked once the engine's
    // call has returned.
    pending.defer();
    QString reason = error.description().trimmed();
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    const QPointer<PageQuestions> self(this);
    QTimer::singleShot(0, this, [self, pending, host, reason, refuse]() mutable {
        if (!self)
            return;
        // Another page of the host may have had its answer meanwhile.
        std::optional<bool> accepted = SitePermissions::certificateAnswer(host);
        if (!accepted) {
            accepted = self->m_host && self->m_host->prompter().askConfirmation(certificateQuestion(host, reason));
            if (!self)
                return;
            SitePermissions::rememberCertificate(host, *accepted);
        }
        if (*accepted) {
            self->m_overridden = true;
            pending.acceptCertificate();
        } else {
            refuse(pending);
        }
    });
}

void PageQuestions::permissionRequested(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const auto answer = [this, origin, feature](bool allowed) {
        m_page->setFeaturePermission(origin, feature,
                                     allowed ? QWebEnginePage::PermissionGrantedByUser
                                             : QWebEnginePage::PermissionDeniedByUser);
    };
    if (const std::optional<bool> earlier = SitePermissions::answer(origin, feature)) {
        answer(*earlier);
        return;
    }
    if (!m_host) {
        answer(false);
        return;
    }
    const QPointer<PageQuestions> self(this);
    QTimer::singleShot(0, this, [self, origin, feature, answer] {
        if (!self)
            return;
        std::optional<bool> allowed = SitePermissions::answer(origin, feature);
        if (!allowed) {
            // Kept for the run, and beyond it only when the user ticks the box.
            bool keep = false;
            allowed = self->m_host
                      && self->m_host->prompter().askRememberable(SitePermissions::question(origin, feature),
                                                                  SitePermissions::rememberText(origin), &keep);
            if (!self)
                return;
            SitePermissions::remember(origin, feature, *allowed, keep);
            answer(*allowed);
            // The answer holds for the run all the same.
            const QString failure = keep ? SitePermissions::lastSaveFailure() : QString();
            if (!failure.isEmpty() && self->m_host)
                self->m_host->prompter().showInformation(failure);
            return;
        }
        answer(*allowed);
    });
}

void PageQuestions::authenticationRequired(const QUrl &url, QAuthenticator *authenticator)
{
    QString user, password;
    if (m_host && m_host->prompter().askCredentials(url.host(), authenticator->realm(), &user, &password)) {
        authenticator->setUser(user);
        authenticator->setPassword(password);
        return;
    }
    // Cancelled: the page shows the server's own answer.
    *authenticator = QAuthenticator();
}
