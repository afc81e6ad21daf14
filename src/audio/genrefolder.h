#pragma once

#include "core/textfile.h"

#include <QString>
#include <QStringList>

// The folder "Genre Lists" of the data folder: one play list file per
// genre, named after the genre with the extension ".gpl".
//
// A play list file holds one full path of an audio file per line, in play
// order, without header; lines end with CR LF. Paths are not checked on
// reading: a missing file shows only when it is to be played.
class GenreFolder
{
public:
    // folder ends with "/".
    explicit GenreFolder(const QString &folder) : m_folder(folder) {}

    static QString folderOf(const QString &dataFolder) { return dataFolder + QStringLiteral("Genre Lists/"); }

    const QString &folder() const { return m_folder; }
    // False when the folder is missing or cannot be listed.
    bool isReadable() const;
    // Every genre, sorted alphabetically regardless of case.
    QStringList names() const;
    // The file of a genre, whether it exists or not.
    QString filePath(const QString &name) const { return m_folder + name + QStringLiteral(".gpl"); }
    bool exists(const QString &name) const;
    // The genre of that name in any letter case, or empty.
    QString find(const QString &name) const;

    // Writes a genre's play list over any old one, safely: on failure the
    // old file stays and the outcome names the cause.
    SafeSave::Outcome save(const QString &name, const QStringList &paths) const;
    // Deletes a genre's file if it exists; false only when it stays.
    bool remove(const QString &name) const;

    // Genre names become file names: none may be empty, hold a folder
    // separator or a control character, or be "." or "..".
    static bool isUsableName(const QString &name);

    static SafeSave::Outcome writePlayList(const QString &path, const QStringList &paths);
    // Empty lines (a hand-edited file) are not entries.
    static TextFile::ReadResult readPlayList(const QString &path, QStringList *paths);

private:
    QString m_folder;
};
