#include "addresses/addresstree.h"

#include <algorithm>

AddressNode::AddressNode(AddressTree *tree, AddressNode *parent, QString caption, int icon, int selectedIcon)
    : m_tree(tree), m_parent(parent), m_caption(std::move(caption)), m_icon(icon), m_selectedIcon(selectedIcon)
{
}

AddressNode *AddressNode::parent() const
{
    // The hidden top has no parent of its own.
    return m_parent && m_parent->m_parent ? m_parent : nullptr;
}

AddressNode *AddressNode::child(int row) const
{
    return row >= 0 && row < childCount() ? m_children[size_t(row)].get() : nullptr;
}

int AddressNode::row() const
{
    if (!m_parent)
        return 0;
    const auto &siblings = m_parent->m_children;
    // Most asked about is a node just appended.
    if (!siblings.empty() && siblings.back().get() == this)
        return int(siblings.size() - 1);
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return int(i);
    return 0;
}

AddressNode *AddressNode::previousSibling() const
{
    return m_parent ? m_parent->child(row() - 1) : nullptr;
}

AddressNode *AddressNode::nextSibling() const
{
    return m_parent ? m_parent->child(row() + 1) : nullptr;
}

int AddressNode::depth() const
{
    int depth = 0;
    for (const AddressNode *p = parent(); p; p = p->parent())
        ++depth;
    return depth;
}

bool AddressNode::isSameOrBelow(const AddressNode *other) const
{
    for (const AddressNode *p = this; p; p = p->parent())
        if (p == other)
            return true;
    return false;
}

AddressTree::AddressTree(QObject *parent)
    : QObject(parent), m_top(new AddressNode(this, nullptr, QString(), -1, -1))
{
}

AddressTree::~AddressTree() = default;

AddressNode *AddressTree::appendChild(AddressNode *parent, const QString &caption, int icon, int selectedIcon)
{
    return insertChild(parent, owner(parent)->childCount(), caption, icon, selectedIcon);
}

AddressNode *AddressTree::insertChild(AddressNode *parent, int row, const QString &caption, int icon,
                                      int selectedIcon)
{
    AddressNode *at = owner(parent);
    row = std::clamp(row, 0, at->childCount());
    auto node = std::unique_ptr<AddressNode>(new AddressNode(this, at, caption, icon, selectedIcon));
    AddressNode *added = node.get();
    at->m_children.insert(at->m_children.begin() + row, std::move(node));
    emit nodeAdded(added);
    emit changed();
    return added;
}

void AddressTree::appendChildren(AddressNode *parent, const QStringList &captions, int icon, int selectedIcon)
{
    if (captions.isEmpty())
        return;
    AddressNode *at = owner(parent);
    const int first = at->childCount();
    at->m_children.reserve(at->m_children.size() + size_t(captions.size()));
    for (const QString &caption : captions)
        at->m_children.push_back(std::unique_ptr<AddressNode>(new AddressNode(this, at, caption, icon, selectedIcon)));
    emit childrenAppended(parent, first, int(captions.size()));
    emit changed();
}

void AddressTree::remove(AddressNode *node)
{
    if (!node || node->m_tree != this || node == m_top.get())
        return;
    emit nodeAboutToBeRemoved(node);
    auto &siblings = node->m_parent->m_children;
    // From the end: the last child is the one most often taken.
    const auto it = std::find_if(siblings.rbegin(), siblings.rend(), [node](const auto &n) { return n.get() == node; });
    if (it != siblings.rend())
        siblings.erase(std::next(it).base());
    emit changed();
}

void AddressTree::removeChildren(AddressNode *node)
{
    if (!node || node->m_tree != this || node->childCount() == 0)
        return;
    emit childrenAboutToBeRemoved(node);
    node->m_children.clear();
    emit changed();
}

void AddressTree::clear()
{
    m_top->m_children.clear();
    emit treeReset();
    emit changed();
}

void AddressTree::setCaption(AddressNode *node, const QString &caption)
{
    if (!node || node->m_caption == caption)
        return;
    node->m_caption = caption;
    emit nodeChanged(node);
    emit changed();
}

void AddressTree::setIcons(AddressNode *node, int icon, int selectedIcon)
{
    if (!node || (node->m_icon == icon && node->m_selectedIcon == selectedIcon))
        return;
    node->m_icon = icon;
    node->m_selectedIcon = selectedIcon;
    emit nodeChanged(node);
    emit changed();
}

void AddressTree::sortChildren(AddressNode *parent,
                               const std::function<bool(const QString &, const QString &)> &lessThan)
{
    auto &children = owner(parent)->m_children;
    if (children.size() < 2)
        return;
    std::stable_sort(children.begin(), children.end(),
                     [&lessThan](const auto &a, const auto &b) { return lessThan(a->m_caption, b->m_caption); });
    emit childrenReordered(parent);
    emit changed();
}

void AddressTree::takeNodesFrom(AddressTree &other)
{
    if (&other == this)
        return;
    m_top->m_children = std::move(other.m_top->m_children);
    other.m_top->m_children.clear();
    const std::function<void(AddressNode *)> adopt = [&](AddressNode *node) {
        node->m_tree = this;
        for (auto &child : node->m_children)
            adopt(child.get());
    };
    for (auto &root : m_top->m_children) {
        root->m_parent = m_top.get();
        adopt(root.get());
    }
    emit other.treeReset();
    emit other.changed();
    emit treeReset();
    emit changed();
}

QList<AddressNode *> AddressTree::nodes() const
{
    QList<AddressNode *> list;
    const std::function<void(AddressNode *)> walk = [&](AddressNode *node) {
        for (const auto &child : node->m_children) {
            list << child.get();
            walk(child.get());
        }
    };
    walk(m_top.get());
    return list;
}

int AddressTree::count() const
{
    return int(nodes().size());
}

AddressNode *AddressTree::nodeAt(int index) const
{
    const QList<AddressNode *> all = nodes();
    return index >= 0 && index < all.size() ? all[index] : nullptr;
}

int AddressTree::indexOf(const AddressNode *node) const
{
    const int index = int(nodes().indexOf(const_cast<AddressNode *>(node)));
    return index < 0 ? NotFound : index;
}

bool AddressTree::contains(const AddressNode *node) const
{
    return node && node->m_tree == this && node != m_top.get();
}

AddressNodeKind AddressTree::getNodeKind(const AddressNode *node)
{
    if (!node)
        return AddressNodeKind::nkNone;
    switch (node->icon()) {
    case 0:
    case 1:
        return AddressNodeKind::nkFavoritesRoot;
    case 2:
    case 3:
        return AddressNodeKind::nkHistoryRoot;
    case 4:
    case 5:
        return AddressNodeKind::nkGroup;
    case 6:
    case 7:
        return AddressNodeKind::nkWebAddress;
    case 8:
    case 9:
        return AddressNodeKind::nkCurrentGridRoot;
    case 10:
    case 11:
        return AddressNodeKind::nkSystemFavoritesRoot;
    case 12:
    case 13:
        return AddressNodeKind::nkLocalFilesRoot;
    default:
        return AddressNodeKind::nkNone;
    }
}

int AddressTree::findFirstNodeOfKind(AddressNodeKind kind) const
{
    const QList<AddressNode *> all = nodes();
    for (int i = 0; i < all.size(); ++i)
        if (getNodeKind(all[i]) == kind)
            return i;
    return NotFound;
}

AddressNode *AddressTree::firstNodeOfKind(AddressNodeKind kind) const
{
    const int index = findFirstNodeOfKind(kind);
    return index == NotFound ? nullptr : nodeAt(index);
}

QString AddressTree::asciiLower(const QString &text)
{
    QString lower = text;
    for (QChar &c : lower)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

bool AddressTree::equalsIgnoringCase(const QString &a, const QString &b)
{
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

bool AddressTree::captionExistsAmongSiblings(const AddressNode *node, const QString &caption, bool includeSelf)
{
    if (!node)
        return false;
    if (includeSelf && equalsIgnoringCase(node->caption(), caption))
        return true;
    for (const AddressNode *n = node->previousSibling(); n; n = n->previousSibling())
        if (equalsIgnoringCase(n->caption(), caption))
            return true;
    for (const AddressNode *n = node->nextSibling(); n; n = n->nextSibling())
        if (equalsIgnoringCase(n->caption(), caption))
            return true;
    return false;
}

bool AddressTree::hasChildCaption(const AddressNode *parent, const QString &caption)
{
    return parent && captionExistsAmongSiblings(parent->firstChild(), caption, true);
}

namespace {
// A detached copy of a branch, taken before anything is added, so copying a
// node into its own branch copies what was there.
struct Branch
{
    QString caption;
    int icon;
    int selectedIcon;
    std::vector<Branch> children;
};

Branch snapshot(const AddressNode *node)
{
    Branch branch{node->caption(), node->icon(), node->selectedIcon(), {}};
    for (int i = 0; i < node->childCount(); ++i)
        branch.children.push_back(snapshot(node->child(i)));
    return branch;
}

AddressNode *build(AddressTree &tree, const Branch &branch, AddressNode *parent)
{
    AddressNode *node = tree.appendChild(parent, branch.caption, branch.icon, branch.selectedIcon);
    for (const Branch &child : branch.children)
        build(tree, child, node);
    return node;
}
} // namespace

AddressNode *AddressTree::copyNodeBranch(AddressNode *source, bool keepSource, AddressNode *destination)
{
    if (!source || !contains(destination))
        return nullptr;
    if (!keepSource && destination->isSameOrBelow(source))
        return nullptr;
    const Branch branch = snapshot(source);
    AddressNode *copy = build(*this, branch, destination);
    if (!keepSource)
        source->tree()->remove(source);
    return copy;
}
