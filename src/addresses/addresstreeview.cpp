#include "addresses/addresstreeview.h"

#include "addresses/addressicons.h"
#include "addresses/addresstree.h"

#include <QLineEdit>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

// Hands an accepted edit to the view instead of writing it into the item.
class EditDelegate : public QStyledItemDelegate
{
public:
    EditDelegate(AddressTreeView *view, QObject *parent) : QStyledItemDelegate(parent), m_view(view) {}

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        auto *node = reinterpret_cast<AddressNode *>(index.data(NodeRole).value<quintptr>());
        if (line && node)
            m_view->finishEditing(node, line->text());
    }

private:
    AddressTreeView *m_view;
};

} // namespace

AddressTreeView::AddressTreeView(AddressTree &tree, QTreeWidget *widget, const AddressIcons &icons, QObject *parent)
    : QObject(parent), m_tree(tree), m_widget(widget), m_icons(icons)
{
    m_widget->setHeaderHidden(true);
    m_widget->setColumnCount(1);
    m_widget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_widget->setItemDelegate(new EditDelegate(this, m_widget));
    connect(&m_tree, &AddressTree::treeReset, this, &AddressTreeView::rebuild);
    connect(&m_tree, &AddressTree::nodeAdded, this, &AddressTreeView::added);
    connect(&m_tree, &AddressTree::nodeAboutToBeRemoved, this, &AddressTreeView::aboutToRemove);
    connect(&m_tree, &AddressTree::childrenAboutToBeRemoved, this, &AddressTreeView::childrenAboutToGo);
    connect(&m_tree, &AddressTree::nodeChanged, this, &AddressTreeView::updateItem);
    connect(&m_tree, &AddressTree::childrenReordered, this, &AddressTreeView::reordered);
    connect(&m_tree, &AddressTree::childrenAppended, this, &AddressTreeView::appended);
    connect(m_widget, &QTreeWidget::currentItemChanged, this, &AddressTreeView::followSelection);
    rebuild();
}

AddressNode *AddressTreeView::nodeOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return nullptr;
    auto *node = reinterpret_cast<AddressNode *>(item->data(0, NodeRole).value<quintptr>());
    return m_items.value(node) == item ? node : nullptr;
}

AddressNode *AddressTreeView::selectedNode() const
{
    return nodeOf(m_widget->currentItem());
}

AddressNode *AddressTreeView::nodeAt(const QPoint &position) const
{
    return nodeOf(m_widget->itemAt(position));
}

QTreeWidgetItem *AddressTreeView::makeItem(AddressNode *node)
{
    auto *item = new QTreeWidgetItem;
    item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    m_items.insert(node, item);
    item->setText(0, node->caption());
    item->setIcon(0, m_icons.icon(node->icon(), node->selectedIcon()));
    return item;
}

void AddressTreeView::updateItem(AddressNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node)) {
        item->setText(0, node->caption());
        item->setIcon(0, m_icons.icon(node->icon(), node->selectedIcon()));
    }
}

void AddressTreeView::rebuild()
{
    m_widget->clear();
    m_items.clear();
    m_items.reserve(m_tree.count());
    const std::function<void(AddressNode *, QTreeWidgetItem *)> build = [&](AddressNode *node,
                                                                            QTreeWidgetItem *parent) {
        // Children go below an item before it joins the widget: a detached
        // item takes them without telling any model.
        QTreeWidgetItem *item = makeItem(node);
        for (int i = 0; i < node->childCount(); ++i)
            build(node->child(i), item);
        parent ? parent->addChild(item) : m_widget->addTopLevelItem(item);
    };
    for (int i = 0; i < m_tree.rootCount(); ++i)
        build(m_tree.root(i), nullptr);
}

void AddressTreeView::added(AddressNode *node)
{
    QTreeWidgetItem *item = makeItem(node);
    if (AddressNode *parent = node->parent()) {
        if (QTreeWidgetItem *parentItem = itemOf(parent))
            parentItem->insertChild(node->row(), item);
    } else {
        m_widget->insertTopLevelItem(node->row(), item);
    }
}

void AddressTreeView::appended(AddressNode *parent, int first, int count)
{
    QTreeWidgetItem *parentItem = parent ? itemOf(parent) : m_widget->invisibleRootItem();
    if (!parentItem)
        return;
    // One insertion for all: the widget lays itself out once.
    QList<QTreeWidgetItem *> items;
    items.reserve(count);
    for (int i = first; i < first + count; ++i)
        items << makeItem(parent ? parent->child(i) : m_tree.root(i));
    parentItem->addChildren(items);
}

void AddressTreeView::forget(const AddressNode *node)
{
    m_items.remove(node);
    for (int i = 0; i < node->childCount(); ++i)
        forget(node->child(i));
}

void AddressTreeView::aboutToRemove(AddressNode *node)
{
    QTreeWidgetItem *item = itemOf(node);
    forget(node);
    delete item;
}

void AddressTreeView::childrenAboutToGo(AddressNode *parent)
{
    for (int i = 0; i < parent->childCount(); ++i)
        forget(parent->child(i));
    if (QTreeWidgetItem *parentItem = itemOf(parent))
        qDeleteAll(parentItem->takeChildren()); // taken at once, not one by one
}

void AddressTreeView::reordered(AddressNode *parent)
{
    QTreeWidgetItem *parentItem = parent ? itemOf(parent) : m_widget->invisibleRootItem();
    if (!parentItem)
        return;
    // Taking items out forgets whether they were expanded.
    QSet<const QTreeWidgetItem *> expanded;
    const std::function<void(QTreeWidgetItem *)> remember = [&](QTreeWidgetItem *item) {
        if (item->isExpanded())
            expanded.insert(item);
        for (int i = 0; i < item->childCount(); ++i)
            remember(item->child(i));
    };
    for (int i = 0; i < parentItem->childCount(); ++i)
        remember(parentItem->child(i));
    QTreeWidgetItem *current = m_widget->currentItem();
    const QList<QTreeWidgetItem *> taken = parentItem->takeChildren();
    Q_UNUSED(taken)
    const int count = parent ? parent->childCount() : m_tree.rootCount();
    for (int i = 0; i < count; ++i) {
        AddressNode *child = parent ? parent->child(i) : m_tree.root(i);
        parentItem->addChild(itemOf(child));
    }
    const std::function<void(QTreeWidgetItem *)> restore = [&](QTreeWidgetItem *item) {
        if (expanded.contains(item))
            item->setExpanded(true);
        for (int i = 0; i < item->childCount(); ++i)
            restore(item->child(i));
    };
    for (int i = 0; i < parentItem->childCount(); ++i)
        restore(parentItem->child(i));
    if (current)
        m_widget->setCurrentItem(current);
}

void AddressTreeView::select(AddressNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node)) {
        m_widget->setCurrentItem(item);
        m_widget->scrollToItem(item);
    }
}

void AddressTreeView::scrollTo(AddressNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node))
        m_widget->scrollToItem(item);
}

void AddressTreeView::expand(AddressNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node))
        item->setExpanded(true);
}

void AddressTreeView::fullCollapse()
{
    m_widget->collapseAll();
}

void AddressTreeView::fullExpand()
{
    m_widget->expandAll();
}

void AddressTreeView::setAutoExpand(bool on)
{
    m_autoExpand = on;
    if (on)
        followSelection();
}

void AddressTreeView::followSelection()
{
    if (!m_autoExpand)
        return;
    QTreeWidgetItem *current = m_widget->currentItem();
    QSet<QTreeWidgetItem *> path;
    for (QTreeWidgetItem *p = current; p; p = p->parent())
        path.insert(p);
    const std::function<void(QTreeWidgetItem *)> fold = [&](QTreeWidgetItem *item) {
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem *child = item->child(i);
            if (child->isExpanded() && !path.contains(child))
                child->setExpanded(false);
            fold(child);
        }
    };
    fold(m_widget->invisibleRootItem());
    for (QTreeWidgetItem *item : path)
        item->setExpanded(true);
}

bool AddressTreeView::startEditing(AddressNode *node)
{
    QTreeWidgetItem *item = itemOf(node);
    if (!item)
        return false;
    m_widget->setCurrentItem(item);
    m_widget->scrollToItem(item);
    m_widget->editItem(item, 0);
    return true;
}

AddressNode *AddressTreeView::editedNode() const
{
    QTreeWidgetItem *item = m_widget->currentItem();
    return item && m_widget->indexWidget(m_widget->indexFromItem(item)) ? nodeOf(item) : nullptr;
}

void AddressTreeView::finishEditing(AddressNode *node, const QString &typed)
{
    // The node may have gone while its editor was open.
    if (m_items.contains(node) && m_finishEdit)
        m_finishEdit(node, typed);
}
