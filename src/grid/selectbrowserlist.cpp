#include "grid/selectbrowserlist.h"

#include "appearance/widgets/dropdowncombobox.h"
#include "core/prompter.h"
#include "grid/browsergrid.h"

#include <QAbstractItemView>

const QString SelectBrowserList::Bullet = QStringLiteral(" \u2022 ");

namespace {
// The cell number before the bullet, or -1.
int cellOf(const QString &entry)
{
    bool ok = false;
    const int cell = entry.section(QChar(0x2022), 0, 0).trimmed().toInt(&ok);
    return ok && entry.contains(QChar(0x2022)) ? cell : -1;
}
} // namespace

SelectBrowserList::SelectBrowserList(BrowserGrid &grid, Prompter &prompter, DropDownComboBox *list,
                                     QWidget *buttonPanel, QObject *parent)
    : QObject(parent), m_grid(grid), m_prompter(prompter), m_list(list), m_buttonPanel(buttonPanel)
{
    connect(m_list, &DropDownComboBox::aboutToShowPopup, this, [this] {
        const QString current = m_list->currentText();
        if (!populateSelectList())
            m_prompter.showInformation(QStringLiteral("Failed to populate the select browser list."));
        m_list->setCurrentIndex(m_list->findText(current));
        m_list->setPopupWidth(m_buttonPanel->width() - m_list->x() - 6);
    });
    connect(m_list, &QComboBox::activated, this, [this](int index) { entryPicked(m_list->itemText(index)); });
}

QStringList SelectBrowserList::entries(const BrowserGrid &grid)
{
    QStringList list;
    for (int cell = 0; cell < GridModel::CellCount; ++cell)
        if (BrowserPane *pane = grid.paneInCell(cell))
            list << QString::number(cell) + Bullet + pane->control()->locationUrl();
    return list;
}

bool SelectBrowserList::populateSelectList()
{
    try {
        m_filling = true;
        m_list->clear();
        m_list->addItems(entries(m_grid));
        m_filling = false;
        return true;
    } catch (...) {
        m_filling = false;
        return false;
    }
}

bool SelectBrowserList::showActivePane()
{
    // The open list is the user's until it closes; it is filled again when
    // it opens.
    if (m_list->view() && m_list->view()->isVisible())
        return true;
    const bool filled = populateSelectList();
    BrowserPane *active = m_grid.activePane();
    if (!active || !selectListEntryForCell(active->cellIndex))
        m_list->setCurrentIndex(-1);
    return filled;
}

bool SelectBrowserList::selectListEntryForCell(int cellIndex)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (cellOf(m_list->itemText(i)) == cellIndex) {
            m_list->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

bool SelectBrowserList::updateEntryForCell(int cellIndex, const QString &address)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (cellOf(m_list->itemText(i)) == cellIndex) {
            m_list->setItemText(i, QString::number(cellIndex) + Bullet + address);
            return true;
        }
    }
    return false;
}

void SelectBrowserList::entryPicked(const QString &text)
{
    if (m_filling)
        return;
    try {
        const int cell = cellOf(text);
        if (cell < 0)
            return;
        for (int n = 0; n < GridModel::BrowserLimit; ++n) {
            BrowserPane *pane = m_grid.pane(n);
            if (pane && pane->cellIndex == cell) {
                if (!pane->selectBrowser(true))
                    m_prompter.showInformation(QStringLiteral("Could not activate the selected browser."));
                return;
            }
        }
    } catch (...) {
        m_prompter.showInformation(QStringLiteral("Could not select a browser from the list."));
    }
}
