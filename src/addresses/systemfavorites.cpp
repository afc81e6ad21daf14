#include "addresses/systemfavorites.h"

#include "core/safesave.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <tuple>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const QString SystemFavorites::ChromiumLeftOutMessage = QStringLiteral(
    "Some Chromium bookmarks were left out: folders deeper than 100 levels or more than 100000 entries.");
const QString SystemFavorites::FirefoxLeftOutMessage = QStringLiteral(
    "Some Firefox bookmarks were left out: folders deeper than 100 levels or more than 100000 entries.");

QStringList SystemFavorites::Report::messages() const
{
    QStringList lines = refused;
    if (chromiumLeftOut)
        lines << ChromiumLeftOutMessage;
    if (firefoxLeftOut)
        lines << FirefoxLeftOutMessage;
    return lines;
}

SystemFavorites::Sources SystemFavorites::Sources::system()
{
    const QString home = QDir::homePath();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = home + QStringLiteral("/.config");
    return {home + QStringLiteral("/Favorites"), config, home + QStringLiteral("/.mozilla/firefox")};
}

bool SystemFavorites::readForeignFile(const QString &path, QByteArray *bytes, QString *refusal)
{
    bytes->clear();
    const auto refuse = [&](const char *cause) {
        if (refusal)
            *refusal = QStringLiteral("The file %1 was not read: %2.").arg(path, QLatin1String(cause));
        return false;
    };
    static const char *const TooLarge = "it is larger than 64 MB";
    static const char *const NotRegular = "it is not a regular file";
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return false; // not there: nothing to tell
    if (!S_ISREG(info.st_mode))
        return refuse(NotRegular);
    if (info.st_size > MaxFileSize)
        return refuse(TooLarge);
    // Not blocking, should a FIFO have taken the file's place since.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return refuse(NotRegular);
    }
    bytes->resize(qsizetype(opened.st_size));
    qsizetype got = 0;
    // Read to the end: the file may have grown; one byte over the limit
    // is enough to know.
    for (;;) {
        if (got == bytes->size())
            bytes->resize(std::min<qsizetype>(std::max<qsizetype>(got * 2, 4096), MaxFileSize + 1));
        const ssize_t n = ::read(fd, bytes->data() + got, size_t(bytes->size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
        if (got > MaxFileSize)
            break;
    }
    ::close(fd);
    bytes->resize(got);
    if (got > MaxFileSize) {
        bytes->clear();
        return refuse(TooLarge);
    }
    return true;
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

QString SystemFavorites::readInternetShortcut(const QString &path, Report *report)
{
    QByteArray bytes;
    QString refusal;
    if (!readForeignFile(path, &bytes, &refusal)) {
        if (report && !refusal.isEmpty())
            report->refused << refusal;
        return {};
    }
    return internetShortcutUrl(TextFile::decode(bytes));
}

QStringList SystemFavorites::readShortcutFolder(const QString &folder, Report *report)
{
    QStringList addresses;
    QSet<QString> visited;
    // Depth first by name, without recursion: the folders still to read,
    // the next one last.
    QStringList pending{folder};
    if (!QFileInfo(folder).isDir())
        return addresses;
    while (!pending.isEmpty()) {
        const QString path = pending.takeLast();
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || visited.contains(canonical))
            continue;
        visited.insert(canonical);
        const QDir dir(path);
        // System: a FIFO or device by that name is listed too, to be refused
        // with a word rather than passed over in silence.
        for (const QString &name : dir.entryList({QStringLiteral("*.url")}, QDir::Files | QDir::System | QDir::Hidden,
                                                 QDir::Name)) {
            QByteArray bytes;
            QString refusal;
            if (readForeignFile(dir.filePath(name), &bytes, &refusal))
                addresses << internetShortcutUrl(TextFile::decode(bytes));
            else if (report && !refusal.isEmpty())
                report->refused << refusal;
        }
        QStringList subFolders;
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (!name.startsWith(u'.'))
                subFolders << dir.filePath(name);
        std::reverse(subFolders.begin(), subFolders.end());
        pending << subFolders;
    }
    return addresses;
}

QStringList SystemFavorites::chromiumBookmarkUrls(const QByteArray &json, Report *report)
{
    QStringList urls;
    const QJsonObject roots = QJsonDocument::fromJson(json).object().value(QLatin1String("roots")).toObject();
    // The bar first, as the browser shows them; then any other root.
    QStringList order{QStringLiteral("bookmark_bar"), QStringLiteral("other"), QStringLiteral("synced")};
    for (const QString &key : roots.keys())
        if (!order.contains(key))
            order << key;
    struct Pending
    {
        QJsonObject node;
        int depth;
    };
    std::vector<Pending> pending; // depth first: the next one last
    for (auto key = order.crbegin(); key != order.crend(); ++key)
        if (roots.value(*key).isObject())
            pending.push_back({roots.value(*key).toObject(), 0});
    int entries = 0;
    bool leftOut = false;
    while (!pending.empty()) {
        const Pending next = std::move(pending.back());
        pending.pop_back();
        if (++entries > MaxEntries) {
            leftOut = true;
            break;
        }
        if (next.node.value(QLatin1String("type")).toString() == QLatin1String("url")) {
            const QString url = next.node.value(QLatin1String("url")).toString();
            if (!url.isEmpty())
                urls << url;
        }
        const QJsonArray children = next.node.value(QLatin1String("children")).toArray();
        if (children.isEmpty())
            continue;
        if (next.depth >= MaxDepth) {
            leftOut = true;
            continue;
        }
        for (qsizetype i = children.size() - 1; i >= 0; --i)
            if (children.at(i).isObject())
                pending.push_back({children.at(i).toObject(), next.depth + 1});
    }
    if (leftOut && report)
        report->chromiumLeftOut = true;
    return urls;
}

QStringList SystemFavorites::readChromiumBookmarks(const QString &path, Report *report)
{
    QByteArray bytes;
    QString refusal;
    if (!readForeignFile(path, &bytes, &refusal)) {
        if (report && !refusal.isEmpty())
            report->refused << refusal;
        return {};
    }
    return chromiumBookmarkUrls(bytes, report);
}

QStringList SystemFavorites::readFirefoxPlaces(const QString &path, Report *report)
{
    const auto copyOf = [&](const QString &from, const QString &to) {
        QByteArray bytes;
        QString refusal;
        if (!readForeignFile(from, &bytes, &refusal)) {
            if (report && !refusal.isEmpty())
                report->refused << refusal;
            return false;
        }
        return SafeSave::write(to, bytes).ok;
    };
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return {};
    const QString copy = scratch.filePath(QStringLiteral("places.sqlite"));
    if (!copyOf(path, copy))
        return {};
    // Bookmarks Firefox has not yet folded into the file wait in its log.
    if (QFileInfo::exists(path + QStringLiteral("-wal")))
        copyOf(path + QStringLiteral("-wal"), copy + QStringLiteral("-wal"));

    struct Row
    {
        qint64 id = 0;
        qint64 parent = 0;
        int type = 0;
        int position = 0;
        QString guid;
        QString url;
    };
    std::vector<Row> rows;
    bool tooMany = false;
    const QString connection = QStringLiteral("vorlan-places-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool read = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(copy);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            read = query.exec(QStringLiteral("SELECT b.id, b.parent, b.type, b.position, b.guid, p.url "
                                             "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                                             "ORDER BY b.id LIMIT %1").arg(MaxEntries + 1));
            while (read && query.next()) {
                if (rows.size() == size_t(MaxEntries)) {
                    tooMany = true;
                    break;
                }
                rows.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toInt(),
                                query.value(3).toInt(), query.value(4).toString(), query.value(5).toString()});
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!read)
        return {};

    // The children of each entry by position (ties by id), as indexes into rows.
    QHash<qint64, qsizetype> byId;
    byId.reserve(qsizetype(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        byId.insert(rows[i].id, qsizetype(i));
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return std::tie(rows[a].parent, rows[a].position) < std::tie(rows[b].parent, rows[b].position);
    });
    QHash<qint64, std::pair<size_t, size_t>> children; // parent -> range in order
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j < order.size() && rows[order[j]].parent == rows[order[i]].parent)
            ++j;
        children.insert(rows[order[i]].parent, {i, j});
        i = j;
    }

    QStringList urls;
    std::vector<bool> visited(rows.size(), false);
    bool tooDeep = false;
    struct Pending
    {
        size_t row;
        int depth;
    };
    std::vector<Pending> pending; // depth first: the next one last
    const auto pushChildren = [&](qint64 parent, int depth) {
        const auto range = children.value(parent, {0, 0});
        if (range.first == range.second)
            return;
        if (depth > MaxDepth) {
            tooDeep = true;
            return;
        }
        for (size_t k = range.second; k > range.first; --k)
            pending.push_back({order[k - 1], depth});
    };
    // The root is the one entry whose parent is no entry; the parents that
    // are no entry, in order.
    QList<qint64> tops;
    for (auto it = children.cbegin(); it != children.cend(); ++it)
        if (!byId.contains(it.key()))
            tops << it.key();
    std::sort(tops.begin(), tops.end());
    for (auto top = tops.crbegin(); top != tops.crend(); ++top)
        pushChildren(*top, 0);
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (visited[next.row])
            continue;
        visited[next.row] = true;
        const Row &row = rows[next.row];
        if (row.guid == QLatin1String("tags________")) // each tag lists its bookmarks again
            continue;
        if (row.type == 1 && !row.url.isEmpty() && !row.url.startsWith(QLatin1String("place:")))
            urls << row.url;
        pushChildren(row.id, next.depth + 1);
    }
    if ((tooMany || tooDeep) && report)
        report->firefoxLeftOut = true;
    return urls;
}

SystemFavorites::Collected SystemFavorites::collect(const Sources &sources)
{
    Collected collected;
    collected.addresses = readShortcutFolder(sources.favoritesFolder, &collected.report);
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
                collected.addresses << readChromiumBookmarks(profile + QStringLiteral("/Bookmarks"), &collected.report);
    if (!sources.firefoxFolder.isEmpty())
        for (const QString &profile : profiles(sources.firefoxFolder))
            collected.addresses << readFirefoxPlaces(profile + QStringLiteral("/places.sqlite"), &collected.report);
    return collected;
}
