#pragma once

#include <QString>

class AddressTree;
class Prompter;

// The address manager file "webaddresses.wam" in the data folder's "Web
// Address Manager" folder: the favorites tree, read once at start-up and
// written once at close.
class AddressManagerFile
{
public:
    static const QString DamagedMessage; // "The Web Address Manager file is damaged, resetting..."
    // The designed favorites tree, built into the program.
    static const QString DefaultTreePath; // ":/addresses/defaultfavorites.wam"

    static QString fileName(const QString &dataFolder);

    // The designed tree: "Favorites" with its four groups, an empty "History".
    static bool readDefaultTree(AddressTree &tree);

    // LoadAddressManagerFile: the file into the tree, or, when there is no
    // file yet, the designed tree, written to the file. A file that cannot
    // be read, has a level jump or lacks a root is moved aside (never
    // deleted; the next start creates the designed tree): the message is
    // shown and false returned.
    static bool load(AddressTree &favorites, const QString &path, Prompter &prompter);

    // SaveAddressManagerFile: the tree over the file. A failed write leaves
    // the old file whole; the message is shown and false returned.
    static bool save(const AddressTree &favorites, const QString &path, Prompter &prompter);

    // Makes sure the file exists: a missing one is created with the two
    // roots "Favorites" and "History"; an existing one is left as it is.
    // (What the window used before it had the address manager.)
    static bool ensureExists(const QString &path);
};
