#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class AddressNode;
class AddressTree;

// The imports tree ("Current Grid", "System Favorites", "Local Files"),
// without the widgets: what fills each root. Nothing of it is stored.
class ImportsTree
{
public:
    // Gives the tree its three roots.
    explicit ImportsTree(AddressTree &tree);

    AddressTree &tree() const { return m_tree; }
    AddressNode *currentGridRoot() const;
    AddressNode *systemFavoritesRoot() const;
    AddressNode *localFilesRoot() const;

    // An open browser: its slot and the address it shows.
    struct GridPane
    {
        int slot;
        QString address;
    };
    // FillCurrentGridNode: "Current Grid" emptied, then the addresses of
    // the open browsers below it, in slot order; false when there are none.
    bool fillCurrentGrid(const QList<GridPane> &panes);
    // Brings "Current Grid" in step with the browsers open now, node by
    // node: a browser still open keeps its node (the caption follows its
    // address), so the selection and the tree's expansion stay; the nodes
    // of closed browsers go, new browsers get theirs at their slot's place.
    void followCurrentGrid(const QList<GridPane> &panes);
    // The system favorites below their root, flat; false when there are none.
    bool fillSystemFavorites(const QStringList &addresses);
    // Files found on disk below "Local Files", flat.
    void fillLocalFiles(const QStringList &paths);
    // The favorites groups of another address manager file below "Local
    // Files", each with its addresses (never its history). The file is read
    // through a scratch tree and never created or written: false when it
    // is missing, unreadable, lacks a root or has a level jump.
    bool importFile(const QString &path);

private:
    AddressNode *rootOf(int icon) const;
    void appendAddresses(AddressNode *parent, const QStringList &addresses);

    AddressTree &m_tree;
    // The slot of each node below "Current Grid", row by row.
    QList<int> m_gridSlots;
};
