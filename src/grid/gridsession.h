#pragma once

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

QString filePath(const QString &dataFolder);

// The open panes in cell order; blank and closing panes are left out.
QList<Pane> capture(const BrowserGrid &grid);

// Writes the panes through a temporary file (the old file stays whole when
// that fails). No panes: the file is removed, so the next start is empty.
bool save(const QString &path, const QList<Pane> &panes);

enum class ReadResult { Read, Missing, Damaged };
// A file that is not one of ours, holds a cell twice, a cell or zoom step
// out of range or more than 64 panes is damaged: nothing of it is read.
ReadResult read(const QString &path, QList<Pane> *panes);

// Opens every pane in its cell (a taken cell: the first vacant one) and
// zooms it once its page is there. Returns how many were opened.
int restore(BrowserGrid &grid, const QList<Pane> &panes);

} // namespace GridSession
