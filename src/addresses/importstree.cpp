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

bool ImportsTree::fillCurrentGrid(const QList<GridPane> &panes)
{
    AddressNode *root = currentGridRoot();
    if (!root)
        return false;
    m_tree.removeChildren(root);
    m_gridSlots.clear();
    QStringList addresses;
    for (const GridPane &pane : panes) {
        addresses << pane.address;
        m_gridSlots << pane.slot;
    }
    appendAddresses(root, addresses);
    return !panes.isEmpty();
}

void ImportsTree::followCurrentGrid(const QList<GridPane> &panes)
{
    AddressNode *root = currentGridRoot();
    if (!root)
        return;
    // Nodes not made here: start afresh.
    if (root->childCount() != m_gridSlots.size()) {
        fillCurrentGrid(panes);
        return;
    }
    int row = 0;
    for (const GridPane &pane : panes) {
        while (row < m_gridSlots.size() && m_gridSlots.at(row) < pane.slot) {
            m_tree.remove(root->child(row));
            m_gridSlots.removeAt(row);
        }
        if (row < m_gridSlots.size() && m_gridSlots.at(row) == pane.slot) {
            AddressNode *node = root->child(row);
            if (node->caption() != pane.address)
                m_tree.setCaption(node, pane.address);
        } else {
            m_tree.insertChild(root, row, pane.address, AddressIcon::WebAddress, AddressIcon::WebAddress + 1);
            m_gridSlots.insert(row, pane.slot);
        }
        ++row;
    }
    while (m_gridSlots.size() > row) {
        m_tree.remove(root->child(row));
        m_gridSlots.removeAt(row);
    }
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
