#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/safesave.h"

// The program's own text files (address trees, play lists, profiles): read
// as UTF-8, or as Windows-1252 when the bytes are not valid UTF-8, so files
// written on Windows keep working; written as UTF-8 with CR LF line ends
// through a temporary file renamed over the old one.
namespace TextFile {

enum class ReadResult { Read, Missing, Unreadable };

// The text of bytes: a UTF-8 byte order mark is skipped; bytes that are not
// valid UTF-8 are read as Windows-1252.
QString decode(const QByteArray &bytes);
// Windows-1252 alone (0x80..0x9F hold the typographic characters, the five
// bytes it leaves undefined stay the control characters of the same value).
QString fromWindows1252(const QByteArray &bytes);

// The file's text; Missing or Unreadable leave text empty.
ReadResult read(const QString &path, QString *text);
// The lines of a text, split at CR LF, LF or a lone CR. A line end at the
// very end gives no empty last line.
QStringList lines(const QString &text);
// Reads a file as lines.
ReadResult readLines(const QString &path, QStringList *lines);

// Writes every line followed by CR LF, safely (SafeSave). On failure the old
// file is untouched and the outcome names the cause.
SafeSave::Outcome writeLines(const QString &path, const QStringList &lines);

} // namespace TextFile
