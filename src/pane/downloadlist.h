#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

class QMenu;
class Shell;

// The last downloads of this run, newest first: name, where it went, how
// far it got. The app shows them (a list view or the menu below).
class DownloadList : public QAbstractListModel
{
    Q_OBJECT
public:
    enum class State { Running, Done, BrokenOff, Cancelled };
    struct Entry
    {
        int id = 0;
        QString name;   // the file's name in the folder
        QString path;   // the whole path it has (or will have) when done
        State state = State::Running;
        qint64 bytes = 0;
        qint64 totalBytes = -1; // unknown
    };
    enum Role { NameRole = Qt::UserRole + 1, PathRole, StateRole, BytesRole };

    static constexpr int MaxEntries = 30;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<Entry> &entries() const { return m_entries; }
    // A new download, listed first; returns its id.
    int add(const QString &name, const QString &path);
    void update(int id, State state, qint64 bytes, qint64 totalBytes);
    const Entry *find(int id) const;

    // One line of the list: "report.zip - done (12 KB)".
    static QString describe(const Entry &entry);
    static QString sizeText(qint64 bytes);

private:
    QList<Entry> m_entries;
    int m_nextId = 1;
};

// Fills menu with the last downloads (a finished one opens with the
// desktop's program for it) and "Open download folder". Call it again each
// time the menu is about to show.
void fillDownloadsMenu(QMenu *menu, const DownloadList &list, const QString &folder, Shell &shell);
