#include "pane/sitepermissions.h"

#include "core/safesave.h"

#include <QFile>

struct SitePermissions::Store
{
    QHash<QString, bool> features; // key() -> allowed
    QHash<QString, bool> certificates;
    QString file;
    QString saveFailure;
};

SitePermissions::Store &SitePermissions::store()
{
    static Store s;
    return s;
}

QString SitePermissions::key(const QUrl &origin, QWebEnginePage::Feature feature)
{
    return origin.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString() + QLatin1Char(' ')
           + QString::number(int(feature));
}

QString SitePermissions::question(const QUrl &origin, QWebEnginePage::Feature feature)
{
    QString wish;
    switch (feature) {
    case QWebEnginePage::Notifications:
        wish = QStringLiteral("show you notifications");
        break;
    case QWebEnginePage::Geolocation:
        wish = QStringLiteral("know your location");
        break;
    case QWebEnginePage::MediaAudioCapture:
        wish = QStringLiteral("use your microphone");
        break;
    case QWebEnginePage::MediaVideoCapture:
        wish = QStringLiteral("use your camera");
        break;
    case QWebEnginePage::MediaAudioVideoCapture:
        wish = QStringLiteral("use your camera and microphone");
        break;
    case QWebEnginePage::MouseLock:
        wish = QStringLiteral("take over your mouse pointer");
        break;
    case QWebEnginePage::DesktopVideoCapture:
        wish = QStringLiteral("share your screen");
        break;
    case QWebEnginePage::DesktopAudioVideoCapture:
        wish = QStringLiteral("share your screen and its sound");
        break;
    }
    const QString host = origin.host().isEmpty() ? origin.toString() : origin.host();
    return QStringLiteral("%1 wants to %2. Allow?").arg(host, wish);
}

std::optional<bool> SitePermissions::answer(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const auto it = store().features.constFind(key(origin, feature));
    if (it == store().features.constEnd())
        return std::nullopt;
    return *it;
}

void SitePermissions::remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed)
{
    store().features.insert(key(origin, feature), allowed);
    save();
}

void SitePermissions::setStoreFile(const QString &path)
{
    Store &s = store();
    s.file = path;
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QList<QByteArray> words = raw.trimmed().split(' ');
        if (words.size() != 3)
            continue;
        bool ok = false;
        words[1].toInt(&ok);
        if (!ok || (words[2] != "allow" && words[2] != "deny"))
            continue;
        const QString k = QString::fromUtf8(words[0] + ' ' + words[1]);
        // An answer of this run stands over one kept from before.
        if (!s.features.contains(k))
            s.features.insert(k, words[2] == "allow");
    }
}

QString SitePermissions::lastSaveFailure()
{
    return store().saveFailure;
}

void SitePermissions::save()
{
    Store &s = store();
    if (s.file.isEmpty())
        return;
    QStringList keys = s.features.keys();
    keys.sort();
    QByteArray bytes;
    for (const QString &k : keys)
        bytes += k.toUtf8() + (s.features.value(k) ? " allow\n" : " deny\n");
    const SafeSave::Outcome outcome = SafeSave::write(s.file, bytes);
    s.saveFailure = outcome.ok ? QString() : SafeSave::failureMessage(QStringLiteral("the site permissions"), s.file, outcome);
}

std::optional<bool> SitePermissions::certificateAnswer(const QString &host)
{
    const auto it = store().certificates.constFind(host);
    if (it == store().certificates.constEnd())
        return std::nullopt;
    return *it;
}

void SitePermissions::rememberCertificate(const QString &host, bool accepted)
{
    store().certificates.insert(host, accepted);
}

void SitePermissions::forgetAll()
{
    store().features.clear();
    store().certificates.clear();
}
