#include "grid/gridsession.h"

#include "core/textfile.h"
#include "grid/browsergrid.h"
#include "grid/gridmodel.h"
#include "pane/browserpane.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {

const QString Header = QStringLiteral("Vorlan session 1");
constexpr int ZoomSteps = 5;

bool plainAddress(const QString &address)
{
    return !address.isEmpty()
           && std::none_of(address.begin(), address.end(), [](QChar c) { return c.unicode() < 0x20 || c == QChar(0x7F); });
}

// Zooms the pane up to its step once its page can take it.
void zoomWhenReady(BrowserPane *pane, int step)
{
    if (step <= 0 || step > ZoomSteps)
        return;
    const auto apply = [pane, step] {
        for (int i = 0; i < ZoomSteps && pane->zoomStep() != step; ++i)
            if (!pane->pages().zoomBrowser())
                return false;
        return true;
    };
    if (pane->pages().ready() && apply())
        return;
    auto *connection = new QMetaObject::Connection;
    *connection = QObject::connect(pane->control(), &BrowserControl::documentComplete, pane, [=] {
        if (apply()) {
            QObject::disconnect(*connection);
            delete connection;
        }
    });
}

} // namespace

namespace GridSession {

QString filePath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Session/panes.txt");
}

QList<Pane> capture(const BrowserGrid &grid)
{
    QList<Pane> panes;
    for (int cell = 0; cell < GridModel::BrowserLimit; ++cell) {
        BrowserPane *pane = grid.paneInCell(cell);
        if (!pane || pane->closing() || !pane->control())
            continue;
        // Stored encoded, so a space or a tab in a path stays on its one line.
        const QString address = QUrl(pane->control()->locationUrl()).toString(QUrl::FullyEncoded);
        if (!plainAddress(address) || address == QLatin1String("about:blank"))
            continue;
        panes.append({cell, pane->zoomStep(), address});
    }
    return panes;
}

bool save(const QString &path, const QList<Pane> &panes)
{
    if (panes.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QStringList lines{Header};
    for (const Pane &pane : panes)
        if (plainAddress(pane.address))
            lines << QStringLiteral("%1\t%2\t%3").arg(pane.cell).arg(pane.zoomStep).arg(pane.address);
    return TextFile::writeLines(path, lines);
}

ReadResult read(const QString &path, QList<Pane> *panes)
{
    QStringList lines;
    switch (TextFile::readLines(path, &lines)) {
    case TextFile::ReadResult::Missing:
        return ReadResult::Missing;
    case TextFile::ReadResult::Unreadable:
        return ReadResult::Damaged;
    case TextFile::ReadResult::Read:
        break;
    }
    if (lines.isEmpty() || lines.first() != Header || lines.size() - 1 > GridModel::BrowserLimit)
        return ReadResult::Damaged;
    QList<Pane> read;
    QSet<int> cells;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        bool cellOk = false, zoomOk = false;
        Pane pane;
        if (fields.size() == 3) {
            pane.cell = fields[0].toInt(&cellOk);
            pane.zoomStep = fields[1].toInt(&zoomOk);
            pane.address = fields[2];
        }
        if (!cellOk || !zoomOk || !GridModel::validCell(pane.cell) || pane.zoomStep < 0 || pane.zoomStep > ZoomSteps
            || !plainAddress(pane.address) || cells.contains(pane.cell))
            return ReadResult::Damaged;
        cells.insert(pane.cell);
        read.append(pane);
    }
    if (panes)
        *panes = read;
    return ReadResult::Read;
}

int restore(BrowserGrid &grid, const QList<Pane> &panes)
{
    QList<Pane> ordered = panes;
    std::sort(ordered.begin(), ordered.end(), [](const Pane &a, const Pane &b) { return a.cell < b.cell; });
    int opened = 0;
    for (const Pane &wanted : ordered) {
        if (!grid.openAddressInNewBrowser(wanted.address, BrowserType::btNormal))
            break;
        BrowserPane *pane = grid.activePane();
        if (!pane)
            continue;
        ++opened;
        if (pane->cellIndex != wanted.cell && !grid.paneInCell(wanted.cell))
            grid.movePaneToCell(pane->browserNo, wanted.cell);
        zoomWhenReady(pane, wanted.zoomStep);
    }
    return opened;
}

} // namespace GridSession
