// The session file (Session/panes.txt): GridSession::read on any bytes. A
// file that reads holds at most 64 panes in distinct cells, and saving them
// reads back the same panes.

#include "fuzz/fuzzsupport.h"
#include "grid/gridsession.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = GridSession::filePath(scratch.folder());
    Fuzz::Scratch::writeAt(path, data, size);
    QList<GridSession::Pane> panes;
    if (GridSession::read(path, &panes) != GridSession::ReadResult::Read) {
        Fuzz::require(panes.isEmpty(), "nothing of a damaged file is read");
        return 0;
    }
    Fuzz::require(panes.size() <= 64, "at most 64 panes");
    QSet<int> cells;
    for (const GridSession::Pane &pane : panes) {
        Fuzz::require(pane.cell >= 0 && pane.cell < 64 && !cells.contains(pane.cell), "one pane per cell");
        cells.insert(pane.cell);
    }
    Fuzz::require(GridSession::save(path, panes), "the panes can be saved");
    QList<GridSession::Pane> again;
    const GridSession::ReadResult reread = GridSession::read(path, &again);
    if (panes.isEmpty())
        Fuzz::require(reread == GridSession::ReadResult::Missing, "no panes leave no file");
    else
        Fuzz::require(reread == GridSession::ReadResult::Read && again == panes, "saved panes read back as they were");
    return 0;
}
