#include "addresses/systemfavorites.h"

#include "core/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <functional>

SystemFavorites::Sources SystemFavorites::Sources::system()
{
    const QString home = QDir::homePath();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = home + QStringLiteral("/.config");
    return {home + QStringLiteral("/Favorites"), config, home + QStringLiteral("/.mozilla/firefox")};
}

QString SystemFavorites::internetShortcutUrl(const QString &text)
{
    bool inSection = false;
    for (const QString &raw : TextFile::lines(text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inSection = line.compare(QLatin1String("[InternetShortcut]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || equals < 0 || line.left(equals).trimmed().compare(QLatin1String("URL"), Qt::CaseInsensitive))
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return value.left(MaxShortcutLength);
    }
    return {};
}

QString SystemFavorites::readInternetShortcut(const QString &path)
{
    QString text;
    if (TextFile::read(path, &text) != TextFile::ReadResult::Read)
        return {};
    return internetShortcutUrl(text);
}

QStringList SystemFavorites::readShortcutFolder(const QString &folder)
{
    QStringList addresses;
    QSet<QString> visited;
    const std::function<void(const QString &)> read = [&](const QString &path) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || visited.contains(canonical))
            return;
        visited.insert(canonical);
        const QDir dir(path);
        for (const QString &name : dir.entryList({QStringLiteral("*.url")}, QDir::Files | QDir::Hidden, QDir::Name))
            addresses << readInternetShortcut(dir.filePath(name));
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (!name.startsWith(u'.'))
                read(dir.filePath(name));
    };
    if (QFileInfo(folder).isDir())
        read(folder);
    return addresses;
}

QStringList SystemFavorites::chromiumBookmarkUrls(const QByteArray &json)
{
    QStringList urls;
    const QJsonObject roots = QJsonDocument::fromJson(json).object().value(QLatin1String("roots")).toObject();
    const std::function<void(const QJsonObject &, int)> walk = [&](const QJsonObject &node, int depth) {
        if (depth > 200) // no real bookmark tree is that deep
            return;
        if (node.value(QLatin1String("type")).toString() == QLatin1String("url")) {
            const QString url = node.value(QLatin1String("url")).toString();
            if (!url.isEmpty())
                urls << url;
        }
        for (const QJsonValue child : node.value(QLatin1String("children")).toArray())
            walk(child.toObject(), depth + 1);
    };
    // The bar first, as the browser shows them; then any other root.
    QStringList order{QStringLiteral("bookmark_bar"), QStringLiteral("other"), QStringLiteral("synced")};
    for (const QString &key : roots.keys())
        if (!order.contains(key))
            order << key;
    for (const QString &key : order)
        if (roots.value(key).isObject())
            walk(roots.value(key).toObject(), 0);
    return urls;
}

QStringList SystemFavorites::readChromiumBookmarks(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return chromiumBookmarkUrls(file.readAll());
}

QStringList SystemFavorites::readFirefoxPlaces(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return {};
    const QString copy = scratch.filePath(QStringLiteral("places.sqlite"));
    if (!QFile::copy(path, copy))
        return {};
    // Bookmarks Firefox has not yet folded into the file wait in its log.
    if (QFileInfo::exists(path + QStringLiteral("-wal")))
        QFile::copy(path + QStringLiteral("-wal"), copy + QStringLiteral("-wal"));

    struct Row
    {
        int type = 0;
        QString guid;
        QString url;
    };
    QHash<qint64, Row> rows;
    QMap<qint64, QMap<int, QList<qint64>>> children; // parent -> position -> ids
    const QString connection = QStringLiteral("vorlan-places-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool read = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(copy);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            read = query.exec(QStringLiteral("SELECT b.id, b.parent, b.type, b.position, b.guid, p.url "
                                             "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk"));
            while (read && query.next()) {
                const qint64 id = query.value(0).toLongLong();
                rows.insert(id, {query.value(2).toInt(), query.value(4).toString(), query.value(5).toString()});
                children[query.value(1).toLongLong()][query.value(3).toInt()] << id;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!read)
        return {};

    QStringList urls;
    QSet<qint64> visited;
    const std::function<void(qint64)> walk = [&](qint64 parent) {
        for (const QList<qint64> &ids : children.value(parent))
            for (const qint64 id : ids) {
                if (visited.contains(id))
                    continue;
                visited.insert(id);
                const Row row = rows.value(id);
                if (row.guid == QLatin1String("tags________")) // each tag lists its bookmarks again
                    continue;
                if (row.type == 1 && !row.url.isEmpty() && !row.url.startsWith(QLatin1String("place:")))
                    urls << row.url;
                walk(id);
            }
    };
    // The root is the one entry whose parent is no entry.
    for (auto it = children.cbegin(); it != children.cend(); ++it)
        if (!rows.contains(it.key()))
            walk(it.key());
    return urls;
}

QStringList SystemFavorites::collect(const Sources &sources)
{
    QStringList addresses = readShortcutFolder(sources.favoritesFolder);
    const auto profiles = [](const QString &folder) {
        const QDir dir(folder);
        QStringList paths;
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            paths << dir.filePath(name);
        return paths;
    };
    if (!sources.configFolder.isEmpty())
        for (const char *browser : {"chromium", "google-chrome"})
            for (const QString &profile : profiles(sources.configFolder + u'/' + QLatin1String(browser)))
                addresses << readChromiumBookmarks(profile + QStringLiteral("/Bookmarks"));
    if (!sources.firefoxFolder.isEmpty())
        for (const QString &profile : profiles(sources.firefoxFolder))
            addresses << readFirefoxPlaces(profile + QStringLiteral("/places.sqlite"));
    return addresses;
}
