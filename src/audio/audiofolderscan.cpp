#include "audio/audiofolderscan.h"

#include <QDir>
#include <QFileInfo>

QStringList AudioFolderScan::patterns()
{
    return {QStringLiteral("*.mp3"), QStringLiteral("*.wma")};
}

QStringList AudioFolderScan::scan(const QString &folder, bool recursive)
{
    AudioFolderScan scan;
    scan.scanFolder(QDir::cleanPath(folder), recursive);
    return scan.m_found;
}

void AudioFolderScan::scanFolder(const QString &folder, bool recursive)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || m_folders.contains(canonical))
        return;
    m_folders.insert(canonical);

    const QDir dir(folder);
    // Name order, whatever order the file system keeps; the patterns
    // ignore case, as "SONG.MP3" is as much an mp3 file as "song.mp3".
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    for (const QString &pattern : patterns()) {
        for (const QFileInfo &file : dir.entryInfoList({pattern}, QDir::Files, order)) {
            const QString real = file.canonicalFilePath();
            if (real.isEmpty() || m_files.contains(real))
                continue;
            // A play list holds one path a line: a name with a line break
            // in it could not be kept.
            const QString path = file.absoluteFilePath();
            if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
                continue;
            m_files.insert(real);
            m_found << path;
        }
    }
    if (!recursive)
        return;
    for (const QFileInfo &sub : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, order))
        scanFolder(sub.absoluteFilePath(), true);
}
