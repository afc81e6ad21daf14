#include "pane/downloadlist.h"

#include "core/shell.h"

#include <QMenu>

int DownloadList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant DownloadList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Entry &entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return describe(entry);
    case NameRole:
        return entry.name;
    case PathRole:
        return entry.path;
    case StateRole:
        return int(entry.state);
    case BytesRole:
        return entry.bytes;
    default:
        return {};
    }
}

QHash<int, QByteArray> DownloadList::roleNames() const
{
    return {{Qt::DisplayRole, "display"}, {NameRole, "name"}, {PathRole, "path"}, {StateRole, "state"}, {BytesRole, "bytes"}};
}

int DownloadList::add(const QString &name, const QString &path)
{
    beginInsertRows({}, 0, 0);
    Entry entry;
    entry.id = m_nextId++;
    entry.name = name;
    entry.path = path;
    m_entries.prepend(entry);
    endInsertRows();
    if (m_entries.size() > MaxEntries) {
        beginRemoveRows({}, MaxEntries, int(m_entries.size()) - 1);
        m_entries.resize(MaxEntries);
        endRemoveRows();
    }
    return entry.id;
}

void DownloadList::update(int id, State state, qint64 bytes, qint64 totalBytes)
{
    for (int row = 0; row < m_entries.size(); ++row) {
        Entry &entry = m_entries[row];
        if (entry.id != id)
            continue;
        entry.state = state;
        entry.bytes = bytes;
        entry.totalBytes = totalBytes;
        emit dataChanged(index(row), index(row));
        return;
    }
}

const DownloadList::Entry *DownloadList::find(int id) const
{
    for (const Entry &entry : m_entries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

QString DownloadList::sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((bytes + 512) / 1024);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
}

QString DownloadList::describe(const Entry &entry)
{
    switch (entry.state) {
    case State::Running:
        return QStringLiteral("%1 - %2 so far").arg(entry.name, sizeText(entry.bytes));
    case State::Done:
        return QStringLiteral("%1 - done (%2)").arg(entry.name, sizeText(entry.bytes));
    case State::BrokenOff:
        return QStringLiteral("%1 - broken off").arg(entry.name);
    case State::Cancelled:
        return QStringLiteral("%1 - cancelled").arg(entry.name);
    }
    return entry.name;
}

void fillDownloadsMenu(QMenu *menu, const DownloadList &list, const QString &folder, Shell &shell)
{
    menu->clear();
    if (list.entries().isEmpty())
        menu->addAction(QStringLiteral("No downloads yet"))->setEnabled(false);
    for (const DownloadList::Entry &entry : list.entries()) {
        QAction *action = menu->addAction(DownloadList::describe(entry));
        action->setEnabled(entry.state == DownloadList::State::Done);
        const QString path = entry.path;
        QObject::connect(action, &QAction::triggered, menu, [&shell, path] { shell.openWithDefaultHandler(path); });
    }
    menu->addSeparator();
    QObject::connect(menu->addAction(QStringLiteral("Open download folder")), &QAction::triggered, menu,
                     [&shell, folder] { shell.openWithDefaultHandler(folder); });
}
