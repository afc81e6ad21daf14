#include "audio/genrefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

bool GenreFolder::isReadable() const
{
    const QFileInfo info(m_folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

QStringList GenreFolder::names() const
{
    // The filter is case-sensitive: "Rock.GPL" is not the file of "Rock"
    // here, and listing it would offer a genre that cannot be opened. A
    // genre whose name starts with a dot is a hidden file, but still one.
    const QStringList files = QDir(m_folder).entryList(
        {QStringLiteral("*.gpl")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::NoSort);
    QStringList result;
    for (const QString &file : files) {
        const QString name = file.chopped(4);
        if (isUsableName(name))
            result << name;
    }
    std::sort(result.begin(), result.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return result;
}

bool GenreFolder::exists(const QString &name) const
{
    return isUsableName(name) && QFileInfo(filePath(name)).isFile();
}

QString GenreFolder::find(const QString &name) const
{
    for (const QString &genre : names())
        if (genre.compare(name, Qt::CaseInsensitive) == 0)
            return genre;
    return {};
}

SafeSave::Outcome GenreFolder::save(const QString &name, const QStringList &paths) const
{
    if (!isUsableName(name))
        return {false, QStringLiteral("the name cannot be a genre's")};
    return writePlayList(filePath(name), paths);
}

bool GenreFolder::remove(const QString &name) const
{
    if (!isUsableName(name))
        return false;
    const QString path = filePath(name);
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool GenreFolder::isUsableName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

SafeSave::Outcome GenreFolder::writePlayList(const QString &path, const QStringList &paths)
{
    return TextFile::writeLines(path, paths);
}

TextFile::ReadResult GenreFolder::readPlayList(const QString &path, QStringList *paths)
{
    QStringList lines;
    const TextFile::ReadResult result = TextFile::readLines(path, &lines);
    lines.removeAll(QString());
    if (paths)
        *paths = lines;
    return result;
}
