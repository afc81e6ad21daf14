#pragma once

#include <QString>
#include <QStringList>

// The web-type files of a folder for "Local Files": for each pattern in
// turn the matching files (by name), as full paths; with recursion, then
// the same for every sub-folder, depth first. A path is listed once; a
// folder reached again through a symbolic link is not read twice, so a
// link back up the tree ends.
class LocalFileScan
{
public:
    // The 17 patterns, in their order.
    static const QStringList Patterns;

    static QStringList scan(const QString &folder, bool recursive);
};
