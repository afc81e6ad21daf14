#include "addresses/importstree.h"

#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"

#include <QFileInfo>

ImportsTree::ImportsTree(AddressTree &tree)
    : m_tree(tree)
{
    const std::pair<const char *, int> roots[] = {{"Current Grid", AddressIcon::CurrentGridRoot},
                                                  {"System Favorites", AddressIcon::SystemFavoritesRoot},
                                                  {"Local Files", AddressIcon::LocalFilesRoot}};
    for (const auto &[caption, icon] : roots)
        if (!rootOf(icon))
            m_tree.appendChild(nullptr, QLatin1String(caption), icon, icon + 1);
}

AddressNode *ImportsTree::rootOf(int icon) const
{
    for (int i = 0; i < m_tree.rootCount(); ++i)
        if (m_tree.root(i)->icon() == icon)
            return m_tree.root(i);
    return nullptr;
}

AddressNode *ImportsTree::currentGridRoot() const
{
    return rootOf(AddressIcon::CurrentGridRoot);
}

AddressNode *ImportsTree::systemFavoritesRoot() const
{
    return rootOf(AddressIcon::SystemFavoritesRoot);
}

AddressNode *ImportsTree::localFilesRoot() const
{
    return rootOf(AddressIcon::LocalFilesRoot);
}

void ImportsTree::appendAddresses(AddressNode *parent, const QStringList &addresses)
{
    m_tree.appendChildren(parent, addresses, AddressIcon::WebAddress, AddressIcon::WebAddress + 1);
}

bool ImportsTree::fillCurrentGrid(const QStringList &addresses)
{
    AddressNode *root = currentGridRoot();
    if (!root || addresses.isEmpty())
        return false;
    appendAddresses(root, addresses);
    return true;
}

bool ImportsTree::fillSystemFavorites(const QStringList &addresses)
{
    AddressNode *root = systemFavoritesRoot();
    if (!root || addresses.isEmpty())
        return false;
    appendAddresses(root, addresses);
    return true;
}

void ImportsTree::fillLocalFiles(const QStringList &paths)
{
    if (AddressNode *root = localFilesRoot())
        appendAddresses(root, paths);
}

bool ImportsTree::importFile(const QString &path)
{
    AddressNode *local = localFilesRoot();
    // Choosing a name that is not there must not leave an empty file behind.
    if (!local || !QFileInfo(path).isFile())
        return false;
    AddressTree restore; // tvRestore
    if (AddressTreeText::readTreeText(restore, path) != AddressTreeText::ReadResult::Read
        || !AddressTreeText::classifyLoadedTree(restore))
        return false;
    restore.removeChildren(restore.firstNodeOfKind(AddressNodeKind::nkHistoryRoot));
    for (AddressNode *node : restore.nodes())
        if (node->depth() == 1)
            m_tree.copyNodeBranch(node, true, local);
    return true;
}
