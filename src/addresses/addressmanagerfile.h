#pragma once

#include "core/safesave.h"

#include <QString>

class AddressTree;
class Prompter;

// The address manager file "webaddresses.wam" in the data folder's "Web
// Address Manager" folder: the favorites tree, read once at start-up and
// written soon after every change and at close (AddressManager).
class AddressManagerFile
{
public:
    // The designed favorites tree, built into the program.
    static const QString DefaultTreePath; // ":/addresses/defaultfavorites.wam"
    // What the save failure messages call the file.
    static const QString What; // "the web addresses"

    static QString fileName(const QString &dataFolder);

    // The designed tree: "Favorites" with its four groups, an empty "History".
    static bool readDefaultTree(AddressTree &tree);

    enum class Loaded {
        Read,        // the file as it was
        Created,     // there was no file: the designed tree, not yet written
        Salvaged,    // damaged: what came before the damage (or the designed
                     // tree when nothing did), the original moved aside; not
                     // yet written
        LeftInPlace, // damaged as Salvaged, but the original could not be
                     // moved aside: it must not be saved over
    };

    // LoadAddressManagerFile: always gives a usable tree with both roots. A
    // damaged file is salvaged: every node read before the damage is kept,
    // a missing root is put back, the original is moved aside (never
    // deleted) and one message tells what was kept and where the original
    // is. The caller writes the tree when it was Created or Salvaged.
    static Loaded load(AddressTree &favorites, const QString &path, Prompter &prompter);

    // The tree over the file through SafeSave: a failed write leaves the
    // old file whole; the outcome names the cause.
    static SafeSave::Outcome save(const AddressTree &favorites, const QString &path);
    // "Could not save the web addresses: <cause>. The earlier file is kept."
    static QString saveFailureMessage(const QString &path, const SafeSave::Outcome &outcome);

    // Makes sure the file exists: a missing one is created with the two
    // roots "Favorites" and "History"; an existing one is left as it is.
    // (What the window used before it had the address manager.)
    static bool ensureExists(const QString &path);
};
