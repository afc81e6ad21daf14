#pragma once

#include <QList>
#include <QString>

class AddressNode;
class AddressTree;

// The search of one address tree (TAMFavoritesSearch, TAMImportsSearch):
// the nodes whose caption holds a text, and the hit shown, stepped with
// Prior and Next.
class AddressTreeSearch
{
public:
    int hitCount = 0;
    int armed = 0;      // 1 after a search that found hits
    int currentHit = 0; // into hitNodeIndexes
    bool searchDone = false;
    QList<int> hitNodeIndexes; // absolute node indexes

    // RunFavoritesSearch: every node whose caption holds text (letter case
    // of A to Z aside), in node order. Returns the first hit, or null when
    // there is none (or the text is blank).
    AddressNode *run(const AddressTree &tree, const QString &text);
    // Prior (-1) or Next (+1) after a search with hits: the hit before or
    // after the one shown, stopping at the first and the last. The indexes
    // are those of the search: a node they no longer reach (the tree
    // shrank) gives null.
    AddressNode *step(const AddressTree &tree, int direction);
};
