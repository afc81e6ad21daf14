#include "addresses/addresstreesearch.h"

#include "addresses/addresstree.h"

#include <algorithm>

AddressNode *AddressTreeSearch::run(const AddressTree &tree, const QString &text)
{
    searchDone = false;
    if (text.trimmed().isEmpty())
        return nullptr;
    hitCount = 0;
    armed = 0;
    currentHit = 0;
    hitNodeIndexes.clear();
    const QString wanted = AddressTree::asciiLower(text);
    const QList<AddressNode *> nodes = tree.nodes();
    for (int i = 0; i < nodes.size(); ++i) {
        if (AddressTree::asciiLower(nodes[i]->caption()).contains(wanted)) {
            hitNodeIndexes << i;
            ++hitCount;
        }
    }
    if (hitCount == 0)
        return nullptr;
    armed = 1;
    searchDone = true;
    return tree.nodeAt(hitNodeIndexes.first());
}

AddressNode *AddressTreeSearch::step(const AddressTree &tree, int direction)
{
    if (!searchDone || hitNodeIndexes.isEmpty())
        return nullptr;
    currentHit = std::clamp(currentHit + direction, 0, int(hitNodeIndexes.size()) - 1);
    return tree.nodeAt(hitNodeIndexes.at(currentHit));
}
