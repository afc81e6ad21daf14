#pragma once

#include "pane/downloadlist.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QWebEngineDownloadRequest>

class QWebEnginePage;
class QWebEngineProfile;

// Takes every download of the shared profile into the user's download
// folder: under the server's name made safe, never over an existing file,
// written as "<name>.part" and renamed only once complete. Reports progress
// to the pane whose page asked, and keeps the last downloads in a list.
class DownloadKeeper : public QObject
{
    Q_OBJECT
public:
    static DownloadKeeper &instance();

    // Handles the downloads of profile (once per profile).
    void attach(QWebEngineProfile *profile);

    // The folder downloads go to: the user's download folder.
    static QString folder();
    DownloadList &list() { return m_list; }

    // The server's name as a file name of the folder: no folders, no
    // leading dots, never empty.
    static QString safeName(const QString &suggested);
    // name itself when neither it nor its partial file exists in folder (nor
    // is taken by a running download), else "name (1).ext", "name (2).ext", ...
    QString freeName(const QString &folder, const QString &name) const;

    static QString doneText(const QString &name, const QString &folder);
    static QString brokenOffText(const QString &name);

signals:
    // A text for the status line of the pane showing page.
    void status(QWebEnginePage *page, const QString &text);
    // How far the downloads page asked for have come together, 0 to 100
    // (0 while their size is unknown); -1 once none is running any more.
    void progress(QWebEnginePage *page, int percent);

private:
    using QObject::QObject;
    void take(QWebEngineDownloadRequest *download);
    // Sends page's progress when it differs from what was sent last.
    void reportProgress(QWebEnginePage *page);

    DownloadList m_list;
    struct Job
    {
        int entry = 0; // in the list
        QString name;
        QString path;
        QPointer<QWebEngineDownloadRequest> request;
        QWebEnginePage *page = nullptr; // only compared, never used
        qint64 received = 0;            // the most the engine has told of
        qint64 total = -1;              // -1 while unknown
    };
    QHash<quint32, Job> m_jobs; // by the engine's download id
    QSet<QString> m_running;    // final paths of downloads still running
    QSet<QWebEngineProfile *> m_profiles;
    QHash<QWebEnginePage *, int> m_sentProgress; // pages with downloads running
};
