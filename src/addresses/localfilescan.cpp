#include "addresses/localfilescan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <functional>

const QStringList LocalFileScan::Patterns = {
    QStringLiteral("*.html"), QStringLiteral("*.gif"),  QStringLiteral("*.wml"),  QStringLiteral("*.xhtml"),
    QStringLiteral("*.xsl"),  QStringLiteral("*.shtml"), QStringLiteral("*.shtm"), QStringLiteral("*.txt"),
    QStringLiteral("*.xml"),  QStringLiteral("*.asp"),  QStringLiteral("*.php"),  QStringLiteral("*.jsp"),
    QStringLiteral("*.jasp"), QStringLiteral("*.csx"),  QStringLiteral("*.jpeg"), QStringLiteral("*.jpg"),
    QStringLiteral("*.htm"),
};

QStringList LocalFileScan::scan(const QString &folder, bool recursive)
{
    QStringList paths;
    // Names on Linux differ by letter case, so paths are compared exactly.
    QSet<QString> collected;
    QSet<QString> visited;
    const std::function<void(const QString &)> read = [&](const QString &path) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || visited.contains(canonical))
            return;
        visited.insert(canonical);
        const QDir dir(path);
        // The patterns match as on Windows, whatever the letter case.
        for (const QString &pattern : Patterns)
            for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name)) {
                const QString file = dir.filePath(name);
                if (!collected.contains(file)) {
                    collected.insert(file);
                    paths << file;
                }
            }
        if (recursive)
            for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
                read(dir.filePath(name));
    };
    if (QFileInfo(folder).isDir())
        read(QDir::cleanPath(folder));
    return paths;
}
