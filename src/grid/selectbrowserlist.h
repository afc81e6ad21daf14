#pragma once

#include <QObject>
#include <QStringList>

class BrowserGrid;
class DropDownComboBox;
class Prompter;
class QWidget;

// The select-browser list (cbSelectBrowserList): one entry per pane in
// ascending cell order, "cell • address"; picking one makes that pane the
// active browser.
class SelectBrowserList : public QObject
{
    Q_OBJECT
public:
    static const QString Bullet; // " • " between the cell and the address

    SelectBrowserList(BrowserGrid &grid, Prompter &prompter, DropDownComboBox *list, QWidget *buttonPanel,
                      QObject *parent = nullptr);

    // The entries for the panes now in the grid.
    static QStringList entries(const BrowserGrid &grid);

    bool populateSelectList();
    // Fills the list again and shows the active pane's entry, or nothing
    // when no pane is active: the closed list never names another pane.
    bool showActivePane();
    bool selectListEntryForCell(int cellIndex);
    // The entry of a cell shows this address now; false when the list has
    // no entry for the cell.
    bool updateEntryForCell(int cellIndex, const QString &address);
    // Picking an entry (the list's selection by the user).
    void entryPicked(const QString &text);

private:
    BrowserGrid &m_grid;
    Prompter &m_prompter;
    DropDownComboBox *m_list;
    QWidget *m_buttonPanel;
    bool m_filling = false;
};
