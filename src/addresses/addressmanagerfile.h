#pragma once

#include <QString>

// The address manager file "webaddresses.wam" in the data folder's "Web
// Address Manager" folder.
class AddressManagerFile
{
public:
    static QString fileName(const QString &dataFolder);

    // Makes sure the file exists: a missing one is created with the two
    // roots "Favorites" and "History"; an existing one is left as it is.
    static bool ensureExists(const QString &path);
};
