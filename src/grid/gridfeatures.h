#pragma once

#include "grid/addressbar.h"
#include "grid/browsercommands.h"

#include <QObject>

class BrowserGrid;
class CommandRegistry;
class DropDownComboBox;
class FileDialogs;
class Prompter;
class SelectBrowserList;
class ShadowLabel;
class Shell;
class SkinImages;
struct RuntimeFlags;
struct Settings;

// The grid's controls on the tool bar and the bottom strip: the address
// bar, the select-browser list and the commands on the active browser. It
// makes and connects them, and keeps them in step with the active browser.
class GridFeatures : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        AddressBar::Parts addressBar;
        BrowserCommands::Parts commands;
        DropDownComboBox *selectList; // cbSelectBrowserList
        ShadowLabel *browserInfo;     // laBrowserInfo
    };

    GridFeatures(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                 FileDialogs &dialogs, CommandRegistry &commands, const SkinImages &skin, Parts parts,
                 QObject *parent = nullptr);

    AddressBar *addressBar() const { return m_addressBar; }
    SelectBrowserList *selectList() const { return m_selectList; }
    BrowserCommands *commands() const { return m_commands; }

private:
    void browserActivated(int browserNo);
    void activeBrowserDeleted();

    BrowserGrid &m_grid;
    Prompter &m_prompter;
    Parts m_parts;
    AddressBar *m_addressBar;
    SelectBrowserList *m_selectList;
    BrowserCommands *m_commands;
};
