#include "pane/downloadkeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace {

const QString PartSuffix = QStringLiteral(".part");

} // namespace

DownloadKeeper &DownloadKeeper::instance()
{
    static DownloadKeeper *keeper = new DownloadKeeper(QCoreApplication::instance());
    return *keeper;
}

void DownloadKeeper::attach(QWebEngineProfile *profile)
{
    if (m_profiles.contains(profile))
        return;
    m_profiles.insert(profile);
    connect(profile, &QObject::destroyed, this, [this, profile] { m_profiles.remove(profile); });
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadKeeper::take);
}

QString DownloadKeeper::folder()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (path.isEmpty())
        path = QDir::home().filePath(QStringLiteral("Downloads"));
    return path;
}

QString DownloadKeeper::safeName(const QString &suggested)
{
    QString name = suggested;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1).trimmed();
    name.remove(QChar(0));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("download") : name;
}

QString DownloadKeeper::freeName(const QString &folder, const QString &name) const
{
    const QDir dir(folder);
    const auto taken = [&](const QString &candidate) {
        const QString path = dir.filePath(candidate);
        return QFileInfo::exists(path) || QFileInfo::exists(path + PartSuffix) || m_running.contains(path);
    };
    if (!taken(name))
        return name;
    // "archive.tar.gz" counts on as "archive (1).tar.gz".
    const int dot = name.indexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(suffix);
        if (!taken(candidate))
            return candidate;
    }
}

QString DownloadKeeper::doneText(const QString &name, const QString &folder)
{
    return QStringLiteral("Downloaded %1 to %2").arg(name, QDir::toNativeSeparators(folder));
}

QString DownloadKeeper::brokenOffText(const QString &name)
{
    return QStringLiteral("The download of %1 broke off; nothing was kept.").arg(name);
}

void DownloadKeeper::take(QWebEngineDownloadRequest *download)
{
    const QString dir = folder();
    if (!QDir().mkpath(dir)) {
        download->cancel();
        emit status(download->page(), QStringLiteral("Could not download: the folder %1 cannot be made.")
                                          .arg(QDir::toNativeSeparators(dir)));
        return;
    }
    // The engine asks again for a download it resumes after a broken
    // connection: it goes on under the name it has.
    Job job = m_jobs.value(download->id());
    if (job.entry == 0) {
        job.name = freeName(dir, safeName(download->suggestedFileName()));
        job.path = QDir(dir).filePath(job.name);
        job.entry = m_list.add(job.name, job.path);
        m_jobs.insert(download->id(), job);
        m_running.insert(job.path);
    }
    // Only the engine's latest request for it counts.
    m_jobs[download->id()].request = download;
    m_jobs[download->id()].page = download->page();
    const QString name = job.name;
    const QString path = job.path;
    const int id = job.entry;
    download->setDownloadDirectory(dir);
    download->setDownloadFileName(name + PartSuffix);
    const QPointer<QWebEnginePage> page(download->page());

    const auto progress = [this, download, id, name, page] {
        const auto job = m_jobs.find(download->id());
        if (job == m_jobs.end() || job->request != download)
            return;
        // The engine picks a broken connection up again by itself, and
        // tells of the size and the bytes afresh each time: what was reached
        // stays reached.
        job->received = qMax(job->received, download->receivedBytes());
        job->total = qMax(job->total, download->totalBytes());
        m_list.update(id, DownloadList::State::Running, download->receivedBytes(), download->totalBytes());
        const qint64 total = download->totalBytes();
        const QString text = total > 0 ? QStringLiteral("Downloading %1: %2 of %3")
                                             .arg(name, DownloadList::sizeText(download->receivedBytes()),
                                                  DownloadList::sizeText(total))
                                       : QStringLiteral("Downloading %1: %2")
                                             .arg(name, DownloadList::sizeText(download->receivedBytes()));
        emit status(page, text);
        reportProgress(page);
    };
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, progress);
    const auto end = [this, download, name, path, dir, page] {
        const auto state = download->state();
        if (m_jobs.value(download->id()).request != download || state == QWebEngineDownloadRequest::DownloadRequested
            || state == QWebEngineDownloadRequest::DownloadInProgress)
            return;
        if (state == QWebEngineDownloadRequest::DownloadCompleted && !download->isFinished())
            return;
        const Job job = m_jobs.take(download->id());
        m_running.remove(path);
        reportProgress(job.page);
        const QString part = path + PartSuffix;
        const qint64 bytes = download->receivedBytes();
        if (state == QWebEngineDownloadRequest::DownloadCompleted) {
            // Another program may have made a file of this name meanwhile:
            // it is kept, and this one takes the next free name.
            QString finalPath = path;
            QString finalName = name;
            if (QFileInfo::exists(finalPath)) {
                finalName = freeName(dir, name);
                finalPath = QDir(dir).filePath(finalName);
            }
            if (QFile::rename(part, finalPath)) {
                m_list.update(job.entry, DownloadList::State::Done, bytes, bytes);
                emit status(page, doneText(finalName, dir));
                return;
            }
        }
        // A broken-off or cancelled download leaves nothing behind. The
        // engine keeps a broken-off one to be resumed by hand; this program
        // offers no resuming, so it ends there.
        const bool cancelled = state == QWebEngineDownloadRequest::DownloadCancelled;
        if (!cancelled)
            download->cancel();
        QFile::remove(part);
        m_list.update(job.entry, cancelled ? DownloadList::State::Cancelled : DownloadList::State::BrokenOff, bytes,
                      download->totalBytes());
        emit status(page, cancelled ? QStringLiteral("The download of %1 was cancelled.").arg(name) : brokenOffText(name));
    };
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, end);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, end);
    download->accept();
    emit status(page, QStringLiteral("Downloading %1...").arg(name));
    reportProgress(download->page());
}

void DownloadKeeper::reportProgress(QWebEnginePage *page)
{
    if (!page)
        return;
    // Every running download of the page counts: the bar is full when they
    // all are.
    qint64 received = 0;
    qint64 total = 0;
    bool running = false;
    bool sizeKnown = true;
    for (const Job &job : std::as_const(m_jobs)) {
        if (job.page != page || !job.request)
            continue;
        running = true;
        received += job.received;
        if (job.total > 0)
            total += job.total;
        else
            sizeKnown = false;
    }
    int percent = -1;
    if (running)
        percent = sizeKnown && total > 0 ? int(qBound(qint64(0), received * 100 / total, qint64(100))) : 0;
    const auto sent = m_sentProgress.constFind(page);
    if (sent != m_sentProgress.constEnd() ? *sent == percent : percent == -1)
        return;
    if (percent < 0)
        m_sentProgress.remove(page);
    else
        m_sentProgress.insert(page, percent);
    emit progress(page, percent);
}
