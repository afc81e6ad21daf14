// The session file (Session/panes.txt): GridSession::read on any bytes. A
// file that reads holds at most 64 panes in distinct cells, each with an
// address the session may open (never a script); the lines not taken are
// counted; saving the panes reads back the same panes.

#include "fuzz/fuzzsupport.h"
#include "grid/gridsession.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = GridSession::filePath(scratch.folder());
    Fuzz::Scratch::writeAt(path, data, size);
    QList<GridSession::Pane> panes;
    int skipped = -1;
    if (GridSession::read(path, &panes, &skipped) != GridSession::ReadResult::Read) {
        Fuzz::require(panes.isEmpty(), "nothing of a damaged file is read");
        return 0;
    }
    Fuzz::require(skipped >= 0, "the lines not taken are counted");
    Fuzz::require(panes.size() <= GridSession::MaxPanes, "at most 64 panes");
    std::array<bool, 64> cells{};
    for (const GridSession::Pane &pane : panes) {
        Fuzz::require(pane.cell >= 0 && pane.cell < 64 && !cells[size_t(pane.cell)], "one pane per cell");
        cells[size_t(pane.cell)] = true;
        Fuzz::require(GridSession::openableAddress(pane.address), "only openable addresses");
        const QString scheme = pane.address.section(QLatin1Char(':'), 0, 0).toLower();
        Fuzz::require(scheme == QLatin1String("http") || scheme == QLatin1String("https")
                          || scheme == QLatin1String("file"),
                      "no script or data address");
    }
    Fuzz::require(GridSession::save(path, panes), "the panes can be saved");
    QList<GridSession::Pane> again;
    int skippedAgain = -1;
    const GridSession::ReadResult reread = GridSession::read(path, &again, &skippedAgain);
    if (panes.isEmpty())
        Fuzz::require(reread == GridSession::ReadResult::Missing, "no panes leave no file");
    else
        Fuzz::require(reread == GridSession::ReadResult::Read && again == panes && skippedAgain == 0,
                      "saved panes read back as they were");
    return 0;
}
