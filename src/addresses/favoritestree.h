#pragma once

#include <QString>
#include <QStringList>

class AddressNode;
class AddressTree;
class HistoryDates;

// The operations on the favorites tree ("Favorites" with its groups of web
// addresses, "History" with one date node per day), without the widgets:
// recording visits, groups made, renamed and sorted, and what a drop on the
// tree does.
class FavoritesTree
{
public:
    FavoritesTree(AddressTree &tree, const HistoryDates &dates);

    AddressTree &tree() const { return m_tree; }
    AddressNode *favoritesRoot() const;
    AddressNode *historyRoot() const;

    // By kind and by the kind of the parent or grandparent.
    static bool isGroup(const AddressNode *node);      // any group or date node
    static bool isWebAddress(const AddressNode *node);
    static bool isFavoriteGroup(const AddressNode *node);
    static bool isDateNode(const AddressNode *node);
    static bool isFavoriteAddress(const AddressNode *node);
    static bool isHistoryAddress(const AddressNode *node);

    // AddToHistory: the address under today's date node (made when it is
    // not there yet), once per day.
    bool addToHistory(const QString &address);
    // The date node of a day with exactly that day's caption, or null.
    AddressNode *dateNode(const QString &caption) const;
    // Empties History.
    bool clearHistory();

    // A new group "NG • <date time>" at the end of Favorites; null without
    // a Favorites root.
    AddressNode *newGroup();
    // A group with this caption and these addresses at the end of
    // Favorites; null without a Favorites root.
    AddressNode *makeGroup(const QString &caption, const QStringList &addresses);
    // "http://www." as the first address of a favorites group; null for
    // another node.
    AddressNode *insertWebAddress(AddressNode *group);
    // The caption a group gets when its editing ends with typed: what was
    // typed, unless it is blank or the caption of a group of Favorites (the
    // edited one included, letter case aside); then the caption before.
    QString groupCaptionAfterEdit(const QString &typed, const QString &before) const;
    void setCaption(AddressNode *node, const QString &caption);

    // Alpha Sort: the groups of Favorites, and the children of every node
    // below, ascending by the locale's collation (letters in alphabetical
    // order, letter case breaking ties only). False without a Favorites root.
    bool alphaSort();

    // "Save to Favorite Group": the groups' captions in order, and an
    // address added to the first group of that caption.
    QStringList favoriteGroups() const;
    bool insertIntoGroup(const QString &group, const QString &address);

    // A drop of dragged (the selected node of the favorites tree or the
    // imports tree) on target: the receiving node when the drop was taken,
    // else null.
    AddressNode *dropFromFavorites(AddressNode *dragged, AddressNode *target);
    AddressNode *dropFromImports(AddressNode *dragged, AddressNode *target);

private:
    bool rootsPresent() const { return favoritesRoot() && historyRoot(); }

    AddressTree &m_tree;
    const HistoryDates &m_dates;
};
