#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/safesave.h"

class AddressTree;

// The text form of an address tree (the address manager file
// "webaddresses.wam", and the .amf files an import reads): one line per
// node in depth-first pre-order, as many TABs as the node's depth, then the
// caption, and CR LF after every line. Nothing else is stored: no icons, no
// kinds. Written as UTF-8; read as UTF-8 or, for files written on Windows,
// Windows-1252.
//
// Captions are cleaned the same way when read and when written (cleanCaption),
// so whatever the reader takes in, the writer gives back in a form that reads
// as the same tree.
namespace AddressTreeText {

// Read: the whole text is a tree. LevelJump: a line more than one level
// deeper than the one before. Damaged: bytes that are no text (binary bytes,
// a NUL in the middle of a file read for salvage) or a line deeper than
// MaxDepth levels.
enum class ReadResult { Read, Missing, Unreadable, LevelJump, Damaged };

// No tree this program makes goes below depth 3; a deeper line is damage.
inline constexpr int MaxDepth = 100;

// readTreeText: the tree built from the file, every node with icons 0/0. A
// NUL ends the text. Anything else than Read leaves the tree empty.
ReadResult readTreeText(AddressTree &tree, const QString &path);
// The same, keeping what stands before any damage: with LevelJump or
// Damaged the tree holds every node read before the first damaged line (a
// NUL counts as damage here: the program never writes one). Missing and
// Unreadable leave it empty.
ReadResult salvageTreeText(AddressTree &tree, const QString &path);
// Both, from bytes already read.
ReadResult parseBytes(AddressTree &tree, const QByteArray &bytes, bool salvage);
// The same from lines already read. False on a level jump or a line too
// deep; the tree is then empty.
bool parseLines(AddressTree &tree, const QStringList &lines);

// writeTreeText: the tree written over the file through SafeSave, so a
// failed write leaves the old file whole; the outcome names the cause.
SafeSave::Outcome writeTreeText(const AddressTree &tree, const QString &path);
// The lines of the file, without their line ends.
QStringList treeLines(const AddressTree &tree);

// classifyLoadedTree: the icons derived again after a read (by caption and
// depth); true when both a Favorites and a History root are there.
bool classifyLoadedTree(AddressTree &tree);

// A caption as it may be stored: without control characters or line and
// paragraph separators (a line break or TAB would change the tree's shape at
// the next read) and without leading blanks (each would count as one level
// deeper).
QString cleanCaption(const QString &caption);

} // namespace AddressTreeText
