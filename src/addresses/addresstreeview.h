#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class AddressIcons;
class AddressNode;
class AddressTree;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

// Shows an address tree in a tree widget and keeps the two in step: every
// change of the tree reaches its items, and in-place edits go back to the
// tree through the edit finisher, never straight into an item.
class AddressTreeView : public QObject
{
    Q_OBJECT
public:
    AddressTreeView(AddressTree &tree, QTreeWidget *widget, const AddressIcons &icons, QObject *parent = nullptr);

    AddressTree &tree() const { return m_tree; }
    QTreeWidget *widget() const { return m_widget; }

    QTreeWidgetItem *itemOf(const AddressNode *node) const { return m_items.value(node); }
    // The node of an item of this view, or null.
    AddressNode *nodeOf(const QTreeWidgetItem *item) const;
    // The selected node (the current one), or null.
    AddressNode *selectedNode() const;
    // The node under a point of the viewport, or null.
    AddressNode *nodeAt(const QPoint &position) const;

    // Selects a node and scrolls it into view.
    void select(AddressNode *node);
    void scrollTo(AddressNode *node);
    void expand(AddressNode *node);
    // Every root and everything below it.
    void fullCollapse();
    void fullExpand();
    // Auto expand: selecting a node expands it and collapses all others.
    void setAutoExpand(bool on);
    bool autoExpand() const { return m_autoExpand; }

    // Opens the in-place editor on a node; finisher gets what was typed
    // when the edit is accepted.
    bool startEditing(AddressNode *node);
    // The node whose in-place editor is open, or null.
    AddressNode *editedNode() const;
    void setEditFinisher(std::function<void(AddressNode *, const QString &)> finisher)
    {
        m_finishEdit = std::move(finisher);
    }
    // An accepted edit (the editor's delegate calls it).
    void finishEditing(AddressNode *node, const QString &typed);

private:
    QTreeWidgetItem *makeItem(AddressNode *node);
    void updateItem(AddressNode *node);
    void rebuild();
    void added(AddressNode *node);
    void appended(AddressNode *parent, int first, int count);
    void aboutToRemove(AddressNode *node);
    void childrenAboutToGo(AddressNode *parent);
    void reordered(AddressNode *parent);
    void followSelection();
    void forget(const AddressNode *node);

    AddressTree &m_tree;
    QTreeWidget *m_widget;
    const AddressIcons &m_icons;
    QHash<const AddressNode *, QTreeWidgetItem *> m_items;
    std::function<void(AddressNode *, const QString &)> m_finishEdit;
    bool m_autoExpand = false;
};
