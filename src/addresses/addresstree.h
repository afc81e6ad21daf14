#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class AddressTree;

// What a node of an address tree is. It is never stored: it follows from
// the node's icon index (getNodeKind).
enum class AddressNodeKind {
    nkNone,
    nkFavoritesRoot,       // icons 0/1
    nkHistoryRoot,         // icons 2/3
    nkGroup,               // icons 4/5: a favorites group, a history date, a Local Files group
    nkWebAddress,          // icons 6/7
    nkCurrentGridRoot,     // icons 8/9
    nkSystemFavoritesRoot, // icons 10/11
    nkLocalFilesRoot,      // icons 12/13
};

// The icon pairs of the small glyph list, by kind.
namespace AddressIcon {
inline constexpr int FavoritesRoot = 0;
inline constexpr int HistoryRoot = 2;
inline constexpr int Group = 4;
inline constexpr int WebAddress = 6;
inline constexpr int CurrentGridRoot = 8;
inline constexpr int SystemFavoritesRoot = 10;
inline constexpr int LocalFilesRoot = 12;
inline constexpr int Count = 14;
} // namespace AddressIcon

// One node: a group name, a date caption or the web address itself, with
// the icon pair that carries its kind.
class AddressNode
{
public:
    const QString &caption() const { return m_caption; }
    int icon() const { return m_icon; }
    int selectedIcon() const { return m_selectedIcon; }

    // Null for a root.
    AddressNode *parent() const;
    AddressTree *tree() const { return m_tree; }
    int childCount() const { return int(m_children.size()); }
    AddressNode *child(int row) const;
    AddressNode *firstChild() const { return child(0); }
    // Position among its siblings (roots included).
    int row() const;
    AddressNode *previousSibling() const;
    AddressNode *nextSibling() const;
    // 0 for a root.
    int depth() const;
    // Whether this node is other or lies below it.
    bool isSameOrBelow(const AddressNode *other) const;

private:
    friend class AddressTree;
    AddressNode(AddressTree *tree, AddressNode *parent, QString caption, int icon, int selectedIcon);

    AddressTree *m_tree;
    AddressNode *m_parent; // the tree's hidden top for a root
    QString m_caption;
    int m_icon;
    int m_selectedIcon;
    std::vector<std::unique_ptr<AddressNode>> m_children;
};

// A tree of address nodes (the favorites tree, the imports tree, the scratch
// tree of an import), with the small operations the address manager builds
// on. Nodes are ordered depth-first, pre-order: the absolute index of a node
// is its place in that order, index 0 first. Views follow the changes by the
// signals.
class AddressTree : public QObject
{
    Q_OBJECT
public:
    static constexpr int NotFound = -777;

    explicit AddressTree(QObject *parent = nullptr);
    ~AddressTree() override;

    // The top-level nodes.
    int rootCount() const { return m_top->childCount(); }
    AddressNode *root(int row) const { return m_top->child(row); }

    // A new last child of parent (a new root when parent is null).
    AddressNode *appendChild(AddressNode *parent, const QString &caption, int icon = 0, int selectedIcon = 0);
    // A new child at row (clamped to the children's range).
    AddressNode *insertChild(AddressNode *parent, int row, const QString &caption, int icon = 0,
                             int selectedIcon = 0);
    // New last children of parent, one per caption, all with these icons,
    // told to the views at once (childrenAppended, no nodeAdded each).
    void appendChildren(AddressNode *parent, const QStringList &captions, int icon, int selectedIcon);
    // Deletes a node with everything below it.
    void remove(AddressNode *node);
    void removeChildren(AddressNode *node);
    void clear();
    void setCaption(AddressNode *node, const QString &caption);
    void setIcons(AddressNode *node, int icon, int selectedIcon);
    // Reorders the children of parent (null: the roots) by lessThan; equal
    // captions keep their order.
    void sortChildren(AddressNode *parent, const std::function<bool(const QString &, const QString &)> &lessThan);
    // Takes every node of other (which is left empty) in place of this
    // tree's own.
    void takeNodesFrom(AddressTree &other);

    // Every node, in absolute index order.
    QList<AddressNode *> nodes() const;
    int count() const;
    // The node at an absolute index, or null.
    AddressNode *nodeAt(int index) const;
    // The absolute index of a node of this tree, or NotFound.
    int indexOf(const AddressNode *node) const;
    bool contains(const AddressNode *node) const;

    // getNodeKind: the kind a node's icon index stands for; nkNone for no node.
    static AddressNodeKind getNodeKind(const AddressNode *node);
    // The absolute index of the first node of that kind, or NotFound.
    int findFirstNodeOfKind(AddressNodeKind kind) const;
    // The node findFirstNodeOfKind finds, or null.
    AddressNode *firstNodeOfKind(AddressNodeKind kind) const;
    // Whether node (when includeSelf), a sibling before it or a sibling
    // after it has this caption, letter case aside. False for no node.
    static bool captionExistsAmongSiblings(const AddressNode *node, const QString &caption, bool includeSelf);
    // Whether parent has a child with this caption, letter case aside.
    static bool hasChildCaption(const AddressNode *parent, const QString &caption);
    // Appends to destination (a node of this tree) a copy of source, from
    // any tree, with everything below it; then, unless keepSource, deletes
    // source (a move). Returns the copy; null when destination is not of
    // this tree, or when a move would put source inside itself.
    AddressNode *copyNodeBranch(AddressNode *source, bool keepSource, AddressNode *destination);

    // Letter case folded for A to Z only, as the tree's comparisons do.
    static QString asciiLower(const QString &text);
    static bool equalsIgnoringCase(const QString &a, const QString &b);

signals:
    // The whole tree was replaced or emptied.
    void treeReset();
    // A node was added (before any children of its own).
    void nodeAdded(AddressNode *node);
    // A node is about to go, with everything below it.
    void nodeAboutToBeRemoved(AddressNode *node);
    // Every child of parent is about to go at once (removeChildren).
    void childrenAboutToBeRemoved(AddressNode *parent);
    // Caption or icons changed.
    void nodeChanged(AddressNode *node);
    // The children of parent (null: the roots) were reordered.
    void childrenReordered(AddressNode *parent);
    // count new last children of parent (null: the roots), from row first on.
    void childrenAppended(AddressNode *parent, int first, int count);
    // Anything of the tree changed (sent after each of the above).
    void changed();

private:
    AddressNode *owner(AddressNode *parent) const { return parent ? parent : m_top.get(); }

    std::unique_ptr<AddressNode> m_top;
};
