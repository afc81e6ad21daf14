#include "addresses/favoritestree.h"

#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "addresses/historydates.h"

#include <QCollator>

using Kind = AddressNodeKind;

namespace {
Kind kindOf(const AddressNode *node)
{
    return AddressTree::getNodeKind(node);
}
} // namespace

FavoritesTree::FavoritesTree(AddressTree &tree, const HistoryDates &dates)
    : m_tree(tree), m_dates(dates)
{
}

AddressNode *FavoritesTree::favoritesRoot() const
{
    return m_tree.firstNodeOfKind(Kind::nkFavoritesRoot);
}

AddressNode *FavoritesTree::historyRoot() const
{
    return m_tree.firstNodeOfKind(Kind::nkHistoryRoot);
}

bool FavoritesTree::isGroup(const AddressNode *node)
{
    return kindOf(node) == Kind::nkGroup;
}

bool FavoritesTree::isWebAddress(const AddressNode *node)
{
    return kindOf(node) == Kind::nkWebAddress;
}

bool FavoritesTree::isFavoriteGroup(const AddressNode *node)
{
    return isGroup(node) && node->parent() && kindOf(node->parent()) == Kind::nkFavoritesRoot;
}

bool FavoritesTree::isDateNode(const AddressNode *node)
{
    return isGroup(node) && node->parent() && kindOf(node->parent()) == Kind::nkHistoryRoot;
}

bool FavoritesTree::isFavoriteAddress(const AddressNode *node)
{
    return isWebAddress(node) && node->parent() && node->parent()->parent()
           && kindOf(node->parent()->parent()) == Kind::nkFavoritesRoot;
}

bool FavoritesTree::isHistoryAddress(const AddressNode *node)
{
    return isWebAddress(node) && isDateNode(node->parent());
}

bool FavoritesTree::addToHistory(const QString &address)
{
    const QString caption = m_dates.historyDateCaption(m_dates.today());
    AddressNode *history = historyRoot();
    const QString clean = AddressTreeText::cleanCaption(address);
    if (!history || clean.isEmpty())
        return false;
    // One rule finds today's node, for the test and the look-up alike: a
    // node whose caption differs only in letter case is today's node, never
    // a reason to drop the address.
    AddressNode *day = nullptr;
    for (int i = 0; i < history->childCount() && !day; ++i)
        if (AddressTree::equalsIgnoringCase(history->child(i)->caption(), caption))
            day = history->child(i);
    if (!day)
        day = m_tree.appendChild(history, caption, AddressIcon::Group, AddressIcon::Group + 1);
    if (!AddressTree::hasChildCaption(day, clean))
        m_tree.appendChild(day, clean, AddressIcon::WebAddress, AddressIcon::WebAddress + 1);
    return true;
}

AddressNode *FavoritesTree::dateNode(const QString &caption) const
{
    AddressNode *history = historyRoot();
    for (int i = 0; history && i < history->childCount(); ++i)
        if (history->child(i)->caption() == caption)
            return history->child(i);
    return nullptr;
}

bool FavoritesTree::clearHistory()
{
    AddressNode *history = historyRoot();
    if (!history)
        return false;
    m_tree.removeChildren(history);
    return true;
}

AddressNode *FavoritesTree::newGroup()
{
    return makeGroup(m_dates.groupCaption(QStringLiteral("NG"), false), {});
}

AddressNode *FavoritesTree::makeGroup(const QString &caption, const QStringList &addresses)
{
    AddressNode *favorites = favoritesRoot();
    if (!favorites)
        return nullptr;
    AddressNode *group = m_tree.appendChild(favorites, AddressTreeText::cleanCaption(caption), AddressIcon::Group,
                                            AddressIcon::Group + 1);
    for (const QString &address : addresses)
        m_tree.appendChild(group, AddressTreeText::cleanCaption(address), AddressIcon::WebAddress,
                           AddressIcon::WebAddress + 1);
    return group;
}

AddressNode *FavoritesTree::insertWebAddress(AddressNode *group)
{
    if (!isFavoriteGroup(group))
        return nullptr;
    return m_tree.insertChild(group, 0, QStringLiteral("http://www."), AddressIcon::WebAddress,
                              AddressIcon::WebAddress + 1);
}

QString FavoritesTree::groupCaptionAfterEdit(const QString &typed, const QString &before) const
{
    const QString trimmed = typed.trimmed();
    AddressNode *favorites = favoritesRoot();
    if (trimmed.isEmpty() || !favorites || AddressTree::hasChildCaption(favorites, trimmed))
        return before;
    return AddressTreeText::cleanCaption(typed);
}

void FavoritesTree::setCaption(AddressNode *node, const QString &caption)
{
    m_tree.setCaption(node, AddressTreeText::cleanCaption(caption));
}

bool FavoritesTree::alphaSort()
{
    AddressNode *favorites = favoritesRoot();
    if (!favorites)
        return false;
    // The C locale would sort by character codes ("Zeta" before "alpha").
    const QLocale &locale = m_dates.locale();
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    const auto lessThan = [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; };
    const std::function<void(AddressNode *)> sortBelow = [&](AddressNode *node) {
        m_tree.sortChildren(node, lessThan);
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->childCount() > 0)
                sortBelow(node->child(i));
    };
    sortBelow(favorites);
    return true;
}

QStringList FavoritesTree::favoriteGroups() const
{
    QStringList groups;
    AddressNode *favorites = favoritesRoot();
    for (int i = 0; favorites && i < favorites->childCount(); ++i)
        groups << favorites->child(i)->caption();
    return groups;
}

bool FavoritesTree::insertIntoGroup(const QString &group, const QString &address)
{
    AddressNode *favorites = favoritesRoot();
    if (!favorites || group.isEmpty() || address.isEmpty())
        return false;
    for (int i = 0; i < favorites->childCount(); ++i) {
        AddressNode *child = favorites->child(i);
        if (child->caption() == group) {
            m_tree.appendChild(child, AddressTreeText::cleanCaption(address), AddressIcon::WebAddress,
                               AddressIcon::WebAddress + 1);
            return true;
        }
    }
    return false;
}

AddressNode *FavoritesTree::dropFromFavorites(AddressNode *dragged, AddressNode *target)
{
    if (!dragged || !target || !rootsPresent() || !m_tree.contains(dragged) || !m_tree.contains(target))
        return nullptr;
    if (isDateNode(dragged)) {
        if (kindOf(target) != Kind::nkFavoritesRoot || AddressTree::hasChildCaption(target, dragged->caption()))
            return nullptr;
        return m_tree.copyNodeBranch(dragged, true, target) ? target : nullptr;
    }
    if (isWebAddress(dragged) && isFavoriteGroup(target)) {
        // History keeps its record; a favorite moves.
        const bool keep = isHistoryAddress(dragged);
        return m_tree.copyNodeBranch(dragged, keep, target) ? target : nullptr;
    }
    return nullptr;
}

AddressNode *FavoritesTree::dropFromImports(AddressNode *dragged, AddressNode *target)
{
    if (!dragged || !target || !rootsPresent() || !m_tree.contains(target) || m_tree.contains(dragged))
        return nullptr;
    if (isGroup(dragged) && kindOf(target) == Kind::nkFavoritesRoot) {
        if (!AddressTree::hasChildCaption(target, dragged->caption()))
            return m_tree.copyNodeBranch(dragged, true, target) ? target : nullptr;
        // A group of that name is there: it gets the addresses it lacks.
        // Only a caption equal to the letter is that group; one differing in
        // letter case alone gets nothing.
        AddressNode *group = nullptr;
        for (int i = 0; i < target->childCount() && !group; ++i)
            if (target->child(i)->caption() == dragged->caption())
                group = target->child(i);
        if (!group)
            return nullptr;
        for (int i = 0; i < dragged->childCount(); ++i) {
            const QString address = AddressTreeText::cleanCaption(dragged->child(i)->caption());
            if (!AddressTree::hasChildCaption(group, address))
                m_tree.appendChild(group, address, AddressIcon::WebAddress, AddressIcon::WebAddress + 1);
        }
        return target;
    }
    if (isWebAddress(dragged) && isFavoriteGroup(target))
        return m_tree.copyNodeBranch(dragged, true, target) ? target : nullptr;
    return nullptr;
}
