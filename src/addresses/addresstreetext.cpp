#include "addresses/addresstreetext.h"

#include "addresses/addresstree.h"
#include "core/textfile.h"

namespace AddressTreeText {

bool parseLines(AddressTree &tree, const QStringList &lines)
{
    AddressTree built;
    AddressNode *previous = nullptr;
    for (const QString &line : lines) {
        int depth = 0;
        while (depth < line.size() && (line.at(depth) == u'\t' || line.at(depth) == u' '))
            ++depth;
        const QString caption = line.mid(depth);
        // Depths are those of the tree: a first line is a root at depth 0,
        // however far it is indented.
        const int previousDepth = previous ? previous->depth() : 0;
        AddressNode *parent = nullptr;
        if (!previous) {
            parent = nullptr; // the first line is a root, whatever its depth
        } else if (depth == previousDepth) {
            parent = previous->parent();
        } else if (depth == previousDepth + 1) {
            parent = previous;
        } else if (depth < previousDepth) {
            // The ancestor standing at this depth becomes the sibling.
            AddressNode *sibling = previous;
            for (int d = previousDepth; d > depth && sibling; --d)
                sibling = sibling->parent();
            parent = sibling ? sibling->parent() : nullptr;
        } else {
            tree.clear();
            return false;
        }
        previous = built.appendChild(parent, caption, 0, 0);
    }
    tree.takeNodesFrom(built);
    return true;
}

ReadResult readTreeText(AddressTree &tree, const QString &path)
{
    tree.clear();
    QString text;
    switch (TextFile::read(path, &text)) {
    case TextFile::ReadResult::Missing:
        return ReadResult::Missing;
    case TextFile::ReadResult::Unreadable:
        return ReadResult::Unreadable;
    case TextFile::ReadResult::Read:
        break;
    }
    // A NUL ends the text.
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return parseLines(tree, TextFile::lines(text)) ? ReadResult::Read : ReadResult::LevelJump;
}

QStringList treeLines(const AddressTree &tree)
{
    QStringList lines;
    for (const AddressNode *node : tree.nodes())
        lines << QString(node->depth(), u'\t') + cleanCaption(node->caption());
    return lines;
}

bool writeTreeText(const AddressTree &tree, const QString &path)
{
    return TextFile::writeLines(path, treeLines(tree));
}

bool classifyLoadedTree(AddressTree &tree)
{
    const QList<AddressNode *> nodes = tree.nodes();
    if (nodes.size() < 2)
        return false;
    tree.setIcons(nodes.first(), -1, -1);
    for (AddressNode *node : nodes) {
        // Later rules win over earlier ones.
        int icon = node->icon();
        if (node->caption() == QLatin1String("Favorites"))
            icon = AddressIcon::FavoritesRoot;
        if (node->caption() == QLatin1String("History"))
            icon = AddressIcon::HistoryRoot;
        const int depth = node->depth();
        if (depth == 1)
            icon = AddressIcon::Group;
        if (depth == 2)
            icon = AddressIcon::WebAddress;
        if (icon != node->icon())
            tree.setIcons(node, icon, icon + 1);
    }
    return tree.findFirstNodeOfKind(AddressNodeKind::nkFavoritesRoot) != AddressTree::NotFound
           && tree.findFirstNodeOfKind(AddressNodeKind::nkHistoryRoot) != AddressTree::NotFound;
}

QString cleanCaption(const QString &caption)
{
    QString clean;
    clean.reserve(caption.size());
    for (const QChar c : caption)
        if (c.unicode() >= 0x20)
            clean += c;
    qsizetype start = 0;
    while (start < clean.size() && clean.at(start).isSpace())
        ++start;
    return clean.mid(start);
}

} // namespace AddressTreeText
