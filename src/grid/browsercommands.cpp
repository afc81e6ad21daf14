#include "grid/browsercommands.h"

#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/filedialogs.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "core/urlquery.h"
#include "grid/addresslabels.h"
#include "grid/browsergrid.h"
#include "pane/pageoperations.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QMenu>

namespace {
const QString NoActiveBrowser = QStringLiteral("No active browser, select one first.");
}

BrowserCommands::BrowserCommands(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                                 Shell &shell, FileDialogs &dialogs, CommandRegistry &commands, Parts parts,
                                 QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_flags(flags), m_prompter(prompter), m_shell(shell),
      m_dialogs(dialogs), m_parts(parts), m_pmFileTools(new QMenu(parts.addressBar))
{
    m_pmFileTools->setObjectName(QStringLiteral("pmFileTools"));
    QAction *open = m_pmFileTools->addAction(QStringLiteral("Open Local File"), this, &BrowserCommands::openLocalFile);
    open->setObjectName(QStringLiteral("OpenLocal1"));
    m_pmFileTools->addSeparator();
    m_saveToFile = m_pmFileTools->addAction(QStringLiteral("Save to File"), this, &BrowserCommands::saveToFile);
    m_saveToFile->setObjectName(QStringLiteral("SaveToFile"));
    m_saveToFavoriteGroup = m_pmFileTools->addMenu(QStringLiteral("Save to Favorite Group"));
    m_saveToFavoriteGroup->setObjectName(QStringLiteral("SaveToFavoriteGroup"));
    m_pmFileTools->addSeparator();
    m_email = m_pmFileTools->addAction(QStringLiteral("Email Active Web Address"), this,
                                       &BrowserCommands::emailActiveWebAddress);
    m_email->setObjectName(QStringLiteral("EmailActiveWebAddress"));
    m_pmFileTools->addSeparator();
    m_pmFileTools->addAction(QStringLiteral("Cancel"));
    connect(m_pmFileTools, &QMenu::aboutToShow, this, &BrowserCommands::fillFavoriteGroupMenu);
    for (QAction *item : {open, m_saveToFile, m_email})
        commands.add(item);

    const std::pair<SkinButton *, void (BrowserCommands::*)()> buttons[] = {
        {parts.back, &BrowserCommands::back},           {parts.forward, &BrowserCommands::forward},
        {parts.refresh, &BrowserCommands::refresh},     {parts.stop, &BrowserCommands::stop},
        {parts.print, &BrowserCommands::print},         {parts.deleteActive, &BrowserCommands::deleteActive},
        {parts.jump, &BrowserCommands::jump},           {parts.prior, &BrowserCommands::priorBrowser},
        {parts.next, &BrowserCommands::nextBrowser},
    };
    for (const auto &[button, command] : buttons)
        connect(button->registerCommand(commands), &QAction::triggered, this, command);
    connect(parts.fileTools->registerCommand(commands), &QAction::triggered, this,
            [this] { fileToolsMenu()->popup(QCursor::pos()); });
    connect(parts.localIP, &ShadowLabel::clicked, this, [this] { m_parts.localIP->setText(localIPClicked()); });
    connect(parts.activeIP, &ShadowLabel::clicked, this, [this] { m_parts.activeIP->setText(activeIPClicked()); });
}

void BrowserCommands::setFavoriteGroups(std::function<QStringList()> groups,
                                        std::function<bool(const QString &, const QString &)> insert)
{
    m_groups = std::move(groups);
    m_insert = std::move(insert);
}

BrowserPane *BrowserCommands::activeOrTell(const QString &message)
{
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex) {
        m_prompter.showInformation(message);
        return nullptr;
    }
    return m_grid.activePane(); // an empty slot: nothing to do
}

void BrowserCommands::back()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        if (!pane->pages().browserBack())
            m_prompter.showInformation(QStringLiteral("Could not navigate the active browser back,\nit may be busy"));
}

void BrowserCommands::forward()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        if (!pane->pages().browserForward())
            m_prompter.showInformation(
                QStringLiteral("Could not navigate the active browser forward,\nit may be busy"));
}

void BrowserCommands::refresh()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        if (!pane->pages().browserRefresh())
            m_prompter.showInformation(QStringLiteral("Could not refresh the active browser,\nit may be busy"));
}

void BrowserCommands::stop()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        if (!pane->pages().browserStop(m_settings.stopButton))
            m_prompter.showInformation(
                QStringLiteral("Could not stop the active browser from\ndownloading, it may be busy"));
}

void BrowserCommands::print()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        if (!pane->pages().browserPrint())
            m_prompter.showInformation(QStringLiteral("Could not print the active browser,\nit may be busy"));
}

void BrowserCommands::deleteActive()
{
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex) {
        m_prompter.showInformation(NoActiveBrowser);
        return;
    }
    // Not while a search or a maintenance steps through the panes: asked
    // before the confirmation, so the user is not asked for nothing.
    if (m_grid.operationRunning()) {
        m_prompter.showInformation(m_grid.waitMessage());
        return;
    }
    if (!m_prompter.askConfirmation(QStringLiteral("Delete the active browser?")))
        return;
    if (!m_grid.deleteActiveBrowser())
        m_prompter.showInformation(QStringLiteral("Could not delete the active browser."));
}

void BrowserCommands::jump()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        m_shell.openWithDefaultHandler(pane->control()->locationUrl());
}

void BrowserCommands::saveToFile()
{
    if (BrowserPane *pane = activeOrTell(QStringLiteral("Select a browser first.")))
        if (!pane->pages().savePage(m_flags.dataFolder + QStringLiteral("Web Saves/"), m_dialogs)) {
            // A file that could not be written says why; a page that did not
            // answer keeps the old words.
            const QString failure = pane->pages().saveFailure();
            m_prompter.showInformation(failure.isEmpty()
                                           ? QStringLiteral("Could not save the active browser to a file,\nit may be busy")
                                           : failure);
        }
}

void BrowserCommands::openLocalFile()
{
    const QString file = m_dialogs.getOpenFileName(
        QStringLiteral("Open a local Internet file."), m_flags.dataFolder + QStringLiteral("Web Saves/"),
        QStringLiteral("Internet File (*.txt *.html *.htm *.wml *.xhtml *.xsl *.shtml *.shtm *.xml *.asp *.php *.jsp "
                       "*.jasp *.csx *.jpeg *.jpg *.gif)"),
        QStringLiteral("html"));
    if (!file.isEmpty())
        m_parts.addressBar->setEditText(file);
}

QString BrowserCommands::mailtoText(const QString &address)
{
    // The address is one value of the mail's query: an "&" or "#" in it
    // would otherwise cut the body short or start a field of its own.
    return QStringLiteral("mailto:") + QString() + QStringLiteral("?subject=") + QString() + QStringLiteral("&Body=")
           + UrlQuery::encodeValue(address);
}

void BrowserCommands::emailActiveWebAddress()
{
    if (BrowserPane *pane = activeOrTell(NoActiveBrowser))
        m_shell.openWithDefaultHandler(mailtoText(pane->control()->locationUrl()));
}

QMenu *BrowserCommands::fileToolsMenu()
{
    const bool active = m_flags.browserCount > 0 && m_flags.activeBrowser != NoIndex;
    m_saveToFile->setEnabled(active);
    m_saveToFavoriteGroup->setEnabled(active);
    m_email->setEnabled(active);
    return m_pmFileTools;
}

void BrowserCommands::fillFavoriteGroupMenu()
{
    BusyCursor busy;
    m_saveToFavoriteGroup->clear();
    const QStringList groups = m_groups ? m_groups() : QStringList();
    for (int i = 0; i < groups.size(); ++i) {
        QAction *item = m_saveToFavoriteGroup->addAction(groups[i]);
        item->setData(i);
        const QString group = groups[i];
        connect(item, &QAction::triggered, this, [this, group] { insertAddress(group); });
    }
}

void BrowserCommands::insertAddress(const QString &group)
{
    BusyCursor busy;
    BrowserPane *pane = m_flags.browserCount > 0 ? m_grid.activePane() : nullptr;
    if (!pane || !m_insert)
        return;
    const QString address = pane->control()->locationUrl();
    if (!group.isEmpty() && !address.isEmpty())
        m_insert(group, address);
}

int BrowserCommands::stepCell(int current, bool forward, const std::function<bool(int)> &occupied,
                              const std::function<bool(int)> &select)
{
    const int direction = forward ? 1 : -1;
    // The nearest occupied cell from `from` on in the step's direction.
    const auto nearest = [&](int from) {
        for (int c = from; c >= 0 && c < 64; c += direction)
            if (occupied(c))
                return c;
        return int(NoIndex);
    };
    const int near = nearest(current + direction);
    if (near != NoIndex && select(near))
        return near;
    // Round from the other end: the first (next) or last (prior) occupied cell.
    const int wrapped = nearest(forward ? 0 : 63);
    if (wrapped != NoIndex && select(wrapped))
        return wrapped;
    return NoIndex;
}

void BrowserCommands::step(bool forward)
{
    if (m_flags.browserCount < 1) {
        m_prompter.showInformation(QStringLiteral("Nothing in the grid to select."));
        return;
    }
    BackgroundSuspension suspended(m_flags);
    BrowserPane *active = m_grid.activePane();
    const int current = active ? active->cellIndex : 0;
    const int cell = stepCell(
        current, forward, [this](int c) { return !m_grid.model().cell(c).vacant; },
        [this](int c) {
            BrowserPane *pane = m_grid.paneInCell(c);
            return pane && pane->selectBrowser(true);
        });
    if (cell == NoIndex)
        m_prompter.showInformation(forward ? QStringLiteral("Could not select the next browser.")
                                           : QStringLiteral("Could not select the prior browser."));
}

void BrowserCommands::priorBrowser()
{
    step(false);
}

void BrowserCommands::nextBrowser()
{
    step(true);
}

QString BrowserCommands::localIPClicked()
{
    return AddressLabels::localIPAddress();
}

QString BrowserCommands::activeIPClicked()
{
    return m_flags.connectionState == 1 ? AddressLabels::activeIPAddress(m_grid, m_flags) : QStringLiteral("Off Line");
}
