#include "pane/sitepermissions.h"

#include "core/damagedfile.h"
#include "core/safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A permission file is a few lines: anything much larger is not one of
// ours, and is not read past these bounds.
constexpr qint64 MaxFileBytes = 64 * 1024;
constexpr int MaxLineBytes = 1024;
constexpr int MaxAnswers = 2000;

} // namespace

struct SitePermissions::Store
{
    QHash<QString, bool> features; // key() -> allowed, for the run
    QHash<QString, bool> kept;     // the ones the user asked to remember
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

QString SitePermissions::rememberText(const QUrl &origin)
{
    const QString host = origin.host().isEmpty() ? origin.toString() : origin.host();
    return QStringLiteral("Remember this answer for %1").arg(host);
}

void SitePermissions::remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed, bool keep)
{
    Store &s = store();
    const QString k = key(origin, feature);
    s.features.insert(k, allowed);
    // An answer for the run only also takes back one kept from before: the
    // file never says other than the user's last word.
    if (keep)
        s.kept.insert(k, allowed);
    else if (!s.kept.remove(k))
        return;
    save();
}

bool SitePermissions::knownFeature(int feature)
{
    switch (feature) {
    case QWebEnginePage::Notifications:
    case QWebEnginePage::Geolocation:
    case QWebEnginePage::MediaAudioCapture:
    case QWebEnginePage::MediaVideoCapture:
    case QWebEnginePage::MediaAudioVideoCapture:
    case QWebEnginePage::MouseLock:
    case QWebEnginePage::DesktopVideoCapture:
    case QWebEnginePage::DesktopAudioVideoCapture:
        return true;
    }
    return false;
}

QString SitePermissions::filePath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("sitepermissions.txt");
}

QString SitePermissions::setStoreFile(const QString &path)
{
    Store &s = store();
    s.file = path;
    if (path.isEmpty())
        return {};
    // Only a plain file: a pipe or a device would never end.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(MaxFileBytes);
    file.close();
    int bad = 0;
    int read = 0;
    if (info.size() > MaxFileBytes) {
        // The line cut at the bound counts as a bad one, and so does the rest.
        const int lastBreak = bytes.lastIndexOf('\n');
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
        ++bad;
    }
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.size() > MaxLineBytes || read >= MaxAnswers) {
            ++bad;
            continue;
        }
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 3) {
            ++bad;
            continue;
        }
        bool ok = false;
        const int feature = words[1].toInt(&ok);
        ok = ok && knownFeature(feature) && (words[2] == "allow" || words[2] == "deny");
        // The site as this program writes it, and nothing else.
        const QUrl origin(QString::fromUtf8(words[0]), QUrl::StrictMode);
        const QString k = QString::fromUtf8(words[0] + ' ' + words[1]);
        ok = ok && origin.isValid() && !origin.scheme().isEmpty() && !origin.host().isEmpty()
             && key(origin, QWebEnginePage::Feature(feature)) == k;
        if (!ok) {
            ++bad;
            continue;
        }
        ++read;
        const bool allowed = words[2] == "allow";
        s.kept.insert(k, allowed);
        // An answer of this run stands over one kept from before.
        if (!s.features.contains(k))
            s.features.insert(k, allowed);
    }
    if (bad == 0)
        return {};
    // What could be read is used; the file as it was stays beside the new one.
    const QString aside = DamagedFile::moveAside(path);
    QString text = QStringLiteral("Some lines of the site permissions file could not be read; %1 remembered %2 kept.")
                       .arg(read)
                       .arg(read == 1 ? QStringLiteral("answer was") : QStringLiteral("answers were"));
    // Written again only once the original is safe aside.
    if (!aside.isEmpty()) {
        text += QStringLiteral("\nThe file was kept as %1.").arg(QFileInfo(aside).fileName());
        save();
    }
    return text;
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
    QStringList keys = s.kept.keys();
    keys.sort();
    QByteArray bytes;
    for (const QString &k : keys)
        bytes += k.toUtf8() + (s.kept.value(k) ? " allow\n" : " deny\n");
    QDir().mkpath(QFileInfo(s.file).absolutePath());
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
    store().kept.clear();
    store().certificates.clear();
}
