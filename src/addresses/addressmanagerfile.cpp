#include "addresses/addressmanagerfile.h"

#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "core/damagedfile.h"
#include "core/prompter.h"

#include <QFileInfo>

const QString AddressManagerFile::DefaultTreePath = QStringLiteral(":/addresses/defaultfavorites.wam");
const QString AddressManagerFile::What = QStringLiteral("the web addresses");

namespace {

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Puts back a root the damage took: "Favorites" first, "History" last, as
// the program writes them.
void restoreRoots(AddressTree &tree)
{
    for (int attempt = 0; attempt < 3 && !AddressTreeText::classifyLoadedTree(tree); ++attempt) {
        if (tree.count() == 0) {
            tree.appendChild(nullptr, QStringLiteral("Favorites"));
        } else if (tree.count() == 1) {
            // Too few nodes to have been classified.
            if (tree.root(0)->caption() == QLatin1String("History"))
                tree.insertChild(nullptr, 0, QStringLiteral("Favorites"));
            else
                tree.appendChild(nullptr, QStringLiteral("History"));
        } else if (!tree.firstNodeOfKind(AddressNodeKind::nkFavoritesRoot)) {
            tree.insertChild(nullptr, 0, QStringLiteral("Favorites"));
        } else {
            tree.appendChild(nullptr, QStringLiteral("History"));
        }
    }
}

} // namespace

QString AddressManagerFile::fileName(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Web Address Manager/webaddresses.wam");
}

bool AddressManagerFile::readDefaultTree(AddressTree &tree)
{
    return AddressTreeText::readTreeText(tree, DefaultTreePath) == AddressTreeText::ReadResult::Read;
}

AddressManagerFile::Loaded AddressManagerFile::load(AddressTree &favorites, const QString &path, Prompter &prompter)
{
    // Built apart and handed over at once: the views are rebuilt once, not
    // told of every node.
    AddressTree read;
    AddressTreeText::ReadResult result = AddressTreeText::ReadResult::Missing;
    try {
        result = AddressTreeText::salvageTreeText(read, path);
    } catch (...) {
        read.clear();
        result = AddressTreeText::ReadResult::Unreadable;
    }
    if (result == AddressTreeText::ReadResult::Missing && !QFileInfo::exists(path)) {
        readDefaultTree(read);
        AddressTreeText::classifyLoadedTree(read);
        favorites.takeNodesFrom(read);
        return Loaded::Created;
    }
    if (result == AddressTreeText::ReadResult::Read && AddressTreeText::classifyLoadedTree(read)) {
        favorites.takeNodesFrom(read);
        return Loaded::Read;
    }

    // Damaged, unreadable or a root missing.
    restoreRoots(read);
    int addresses = 0;
    int groups = 0;
    for (const AddressNode *node : read.nodes()) {
        const AddressNodeKind kind = AddressTree::getNodeKind(node);
        addresses += kind == AddressNodeKind::nkWebAddress;
        groups += kind == AddressNodeKind::nkGroup;
    }
    const bool nothingKept = addresses == 0 && groups == 0;
    if (nothingKept) {
        readDefaultTree(read);
        AddressTreeText::classifyLoadedTree(read);
    }
    const QString aside = DamagedFile::moveAside(path);
    const QString where = aside.isEmpty()
        ? QStringLiteral("the original could not be set aside, so it stays as %1 and nothing is saved over it").arg(path)
        : QStringLiteral("the original is kept as %1").arg(aside);
    QString message;
    if (result == AddressTreeText::ReadResult::Unreadable)
        message = QStringLiteral("The web address file could not be read; the designed favorites take its place, "
                                 "and %1.").arg(where);
    else if (nothingKept)
        message = QStringLiteral("The web address file was damaged and nothing before the damage could be kept; "
                                 "the designed favorites take its place, and %1.").arg(where);
    else
        message = QStringLiteral("The web address file was damaged. %1 and %2 before the damage were kept; %3.")
                      .arg(counted(addresses, "address", "addresses"), counted(groups, "group", "groups"), where);
    prompter.showInformation(message);
    favorites.takeNodesFrom(read);
    return aside.isEmpty() ? Loaded::LeftInPlace : Loaded::Salvaged;
}

SafeSave::Outcome AddressManagerFile::save(const AddressTree &favorites, const QString &path)
{
    try {
        return AddressTreeText::writeTreeText(favorites, path);
    } catch (...) {
        return SafeSave::Outcome{false, QStringLiteral("the program ran out of memory")};
    }
}

QString AddressManagerFile::saveFailureMessage(const QString &path, const SafeSave::Outcome &outcome)
{
    return SafeSave::failureMessage(What, path, outcome);
}

bool AddressManagerFile::ensureExists(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile();
    return SafeSave::write(path, "Favorites\r\nHistory\r\n");
}
