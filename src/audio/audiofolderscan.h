#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Finds the audio files of a folder for a new play list: for each pattern
// in turn ("*.mp3", then "*.wma") the matching files in name order, then,
// when recursive, the same for every sub-folder in name order, depth first.
//
// A folder reached a second time (a symbolic link to a folder met before,
// or to one of its own parents) is not scanned again, so link loops end;
// a file reached under a second path is listed once. Hidden files and
// folders are left out, and so are names with a line break, which a play
// list file cannot hold.
class AudioFolderScan
{
public:
    static QStringList patterns();

    // folder: an existing folder; the paths found start with it.
    static QStringList scan(const QString &folder, bool recursive);

private:
    void scanFolder(const QString &folder, bool recursive);

    QStringList m_found;
    QSet<QString> m_files;   // canonical paths of the files found
    QSet<QString> m_folders; // canonical paths of the folders scanned
};
