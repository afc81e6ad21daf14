#pragma once

#include <QString>
#include <QStringList>

class AddressTree;

// The text form of an address tree (the address manager file
// "webaddresses.wam", and the .amf files an import reads): one line per
// node in depth-first pre-order, as many TABs as the node's depth, then the
// caption, and CR LF after every line. Nothing else is stored: no icons, no
// kinds. Written as UTF-8; read as UTF-8 or, for files written on Windows,
// Windows-1252.
namespace AddressTreeText {

enum class ReadResult { Read, Missing, Unreadable, LevelJump };

// readTreeText: the tree built from the file, every node with icons 0/0.
// Anything else than Read leaves the tree empty.
ReadResult readTreeText(AddressTree &tree, const QString &path);
// The same from lines already read. False on a level jump (a line more
// than one level deeper than the one before); the tree is then empty.
bool parseLines(AddressTree &tree, const QStringList &lines);

// writeTreeText: the tree written over the file through a temporary file,
// so a failed write leaves the old file whole.
bool writeTreeText(const AddressTree &tree, const QString &path);
// The lines of the file, without their line ends.
QStringList treeLines(const AddressTree &tree);

// classifyLoadedTree: the icons derived again after a read (by caption and
// depth); true when both a Favorites and a History root are there.
bool classifyLoadedTree(AddressTree &tree);

// A caption as it may be stored: without control characters (a line break
// or TAB would change the tree's shape at the next read) and without
// leading blanks (each would count as one level deeper).
QString cleanCaption(const QString &caption);

} // namespace AddressTreeText
