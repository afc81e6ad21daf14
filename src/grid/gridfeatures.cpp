#include "grid/gridfeatures.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "grid/selectbrowserlist.h"

GridFeatures::GridFeatures(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                           Shell &shell, FileDialogs &dialogs, CommandRegistry &commands, const SkinImages &skin,
                           Parts parts, QObject *parent)
    : QObject(parent), m_grid(grid), m_prompter(prompter), m_parts(parts),
      m_addressBar(new AddressBar(grid, settings, flags, prompter, shell, dialogs, commands, parts.addressBar, this)),
      m_selectList(new SelectBrowserList(grid, prompter, parts.selectList, parts.addressBar.buttonPanel, this)),
      m_commands(new BrowserCommands(grid, settings, flags, prompter, shell, dialogs, commands, parts.commands, this))
{
    m_addressBar->setGlyphSource([&skin, &settings](int index) {
        return skin.bigGlyph(index, settings.buttonGlyphStyle == 0 ? GlyphStyle::Bevel : GlyphStyle::Color);
    });
    connect(&grid, &BrowserGrid::browserInfoChanged, parts.browserInfo, &ShadowLabel::setText);
    connect(&grid, &BrowserGrid::activeIPChanged, parts.commands.activeIP, &ShadowLabel::setText);
    connect(&grid, &BrowserGrid::activeBrowserDeleted, this, &GridFeatures::activeBrowserDeleted);
    connect(&grid, &BrowserGrid::browserActivated, this, &GridFeatures::browserActivated);
    // The bar and the list follow the active pane through links, Back,
    // Forward and redirects.
    connect(&grid, &BrowserGrid::activeAddressChanged, this, [this](const QString &address) {
        m_addressBar->followActiveAddress(address);
        if (BrowserPane *active = m_grid.activePane())
            m_selectList->updateEntryForCell(active->cellIndex, address);
    });
    // Panes made, freed, moved on the map or packed into other cells: the
    // list shows the active pane's entry where it is now.
    connect(&grid, &BrowserGrid::panesChanged, m_selectList, &SelectBrowserList::showActivePane);
    connect(&grid, &BrowserGrid::gridRearranged, this, [this] {
        m_parts.addressBar.bar->clear();
        m_selectList->showActivePane();
    });
    // A pane opened in the background (a pop-up, a queued address) fills the
    // list again; the list goes on showing the active pane.
    grid.setSelectListFiller([this] { return m_selectList->showActivePane(); });
}

void GridFeatures::browserActivated(int browserNo)
{
    if (!m_selectList->populateSelectList())
        m_prompter.showInformation(QStringLiteral("Could not populate the select browser list."));
    BrowserPane *pane = m_grid.pane(browserNo);
    if (!pane || !m_selectList->selectListEntryForCell(pane->cellIndex))
        m_prompter.showInformation(QStringLiteral("Could not update the select browser list."));
    if (m_addressBar->mode() != AddressBar::Mode::WebSearch)
        m_addressBar->setWebAddressMode();
}

void GridFeatures::activeBrowserDeleted()
{
    m_parts.commands.activeIP->setText(QString());
    m_parts.browserInfo->setText(QString());
    m_parts.addressBar.bar->clear();
    m_parts.addressBar.bar->setEditText(QString());
    m_parts.selectList->clear();
}
