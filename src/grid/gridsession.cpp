#include "grid/gridsession.h"

#include "core/textfile.h"
#include "grid/browsergrid.h"
#include "grid/gridmodel.h"
#include "pane/browserpane.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cerrno>

namespace {

const QString Header = QStringLiteral("Vorlan session 1");
constexpr int ZoomSteps = 5;
// The local Internet files "Open Local File" offers.
const QStringList LocalPageSuffixes{"txt", "html", "htm", "wml", "xhtml", "xsl", "shtml", "shtm", "xml",
                                    "asp", "php", "jsp", "jasp", "csx", "jpeg", "jpg", "gif"};

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

SafeSave::Outcome save(const QString &path, const QList<Pane> &panes)
{
    if (panes.isEmpty()) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return {true, {}};
        return {false, SafeSave::causeOf(errno)};
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return {false, SafeSave::causeOf(errno)};
    QStringList lines{Header};
    for (const Pane &pane : panes)
        if (plainAddress(pane.address))
            lines << QStringLiteral("%1\t%2\t%3").arg(pane.cell).arg(pane.zoomStep).arg(pane.address);
    return TextFile::writeLines(path, lines);
}

bool openableAddress(const QString &address)
{
    if (!plainAddress(address))
        return false;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme != QLatin1String("file") || !url.host().isEmpty())
        return false;
    // A page file the user opened is one of the kinds the program opens,
    // and it is still there.
    const QFileInfo file(url.toLocalFile());
    return file.isFile() && LocalPageSuffixes.contains(file.suffix().toLower());
}

ReadResult read(const QString &path, QList<Pane> *panes, int *skipped)
{
    if (panes)
        panes->clear();
    if (skipped)
        *skipped = 0;
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Damaged;
    // Only the head of an oversized file: a line cut by the cap is skipped.
    QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return ReadResult::Damaged;
    int notTaken = 0;
    if (bytes.size() > MaxBytes) {
        bytes.truncate(MaxBytes);
        const qsizetype end = qMax(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(end < 0 ? 0 : end + 1);
        ++notTaken;
    }
    const QStringList lines = TextFile::lines(TextFile::decode(bytes));
    if (lines.isEmpty() || lines.first() != Header)
        return ReadResult::Damaged;
    QList<Pane> read;
    std::array<bool, GridModel::CellCount> taken{};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (read.size() >= MaxPanes) {
            ++notTaken;
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool cellOk = false, zoomOk = false;
        Pane pane;
        if (fields.size() == 3) {
            pane.cell = fields[0].toInt(&cellOk);
            pane.zoomStep = fields[1].toInt(&zoomOk);
            pane.address = fields[2];
        }
        if (!cellOk || !zoomOk || !GridModel::validCell(pane.cell) || pane.zoomStep < 0 || pane.zoomStep > ZoomSteps
            || taken[size_t(pane.cell)] || !openableAddress(pane.address)) {
            ++notTaken;
            continue;
        }
        taken[size_t(pane.cell)] = true;
        read.append(pane);
    }
    if (panes)
        *panes = read;
    if (skipped)
        *skipped = notTaken;
    return ReadResult::Read;
}

QString skippedMessage(int skipped)
{
    return skipped == 1 ? QStringLiteral("1 line of the saved panes could not be read and was skipped.")
                        : QStringLiteral("%1 lines of the saved panes could not be read and were skipped.").arg(skipped);
}

int restore(BrowserGrid &grid, const QList<Pane> &panes)
{
    QList<Pane> ordered = panes;
    std::sort(ordered.begin(), ordered.end(), [](const Pane &a, const Pane &b) { return a.cell < b.cell; });
    int opened = 0;
    for (const Pane &wanted : ordered) {
        // Whatever handed the panes over, no script runs from here.
        if (!openableAddress(wanted.address))
            continue;
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
    // Each pane was made active where it first opened; the last one may have
    // moved since: the grid scrolls to where it is now, and the window's
    // lists name its cell.
    if (BrowserPane *active = grid.activePane())
        active->selectBrowser(true);
    return opened;
}

} // namespace GridSession
