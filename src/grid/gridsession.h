#pragma once

#include "core/safesave.h"

#include <QList>
#include <QString>

class BrowserGrid;

// The panes of a run, kept for the next: each pane's cell, zoom step and
// address, written at close to the data folder's "Session/panes.txt" and
// opened again into the same cells at the next start when "restore
// session" is on. The file is a line "Vorlan session 1" and then one line
// per pane: cell, TAB, zoom step, TAB, address.
namespace GridSession {

struct Pane
{
    int cell = 0;
    int zoomStep = 0;
    QString address;
    bool operator==(const Pane &) const = default;
};

// What is read of a file at most: the first MaxBytes bytes, the first
// MaxPanes sound lines.
constexpr qint64 MaxBytes = 1024 * 1024;
constexpr int MaxPanes = 64;

QString filePath(const QString &dataFolder);

// The open panes in cell order; blank and closing panes are left out.
QList<Pane> capture(const BrowserGrid &grid);

// Writes the panes safely (the old file stays whole when that fails; the
// outcome names the cause). No panes: the file is removed, so the next start
// is empty.
SafeSave::Outcome save(const QString &path, const QList<Pane> &panes);

// An address the session may open at start: a web page (http, https) or a
// local page file that is there. Never a script, data or other address:
// the file could have been written by anyone.
bool openableAddress(const QString &address);

enum class ReadResult { Read, Missing, Damaged };
// Reads the panes. A file that cannot be read or is not one of ours (its
// first line) is Damaged and nothing of it is read. Otherwise every sound
// line is taken, in order, up to MaxPanes: a line that is not cell, zoom
// step and an openable address, or names a cell taken by an earlier line,
// or lies beyond the caps, is skipped and counted in *skipped.
ReadResult read(const QString &path, QList<Pane> *panes, int *skipped = nullptr);

// What the caller tells the user after a read that skipped lines: "3 lines
// of the saved panes could not be read and were skipped.".
QString skippedMessage(int skipped);

// Opens every pane in its cell (a taken cell: the first vacant one) and
// zooms it once its page is there; an address that is not openable is
// passed over. Returns how many were opened.
int restore(BrowserGrid &grid, const QList<Pane> &panes);

} // namespace GridSession
