#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class BrowserGrid;
class CommandRegistry;
class FileDialogs;
class Prompter;
class QMenu;
class QAction;
class QComboBox;
class ShadowLabel;
class Shell;
class SkinButton;
struct RuntimeFlags;
struct Settings;

// The tool bar commands on the active browser: back, forward, refresh,
// stop, print, delete, jump to the system's browser, the file tools menu
// (open a local file, save, save to a favorites group, e-mail the address),
// prior and next browser, and the address labels' clicks.
class BrowserCommands : public QObject
{
    Q_OBJECT
public:
    // The buttons and labels the commands belong to.
    struct Parts
    {
        SkinButton *back, *forward, *refresh, *stop, *print, *deleteActive, *jump; // skActive...
        SkinButton *fileTools;                                                      // skActiveFileTools
        SkinButton *prior, *next;                                                   // skAddressPrior, skAddressNext
        QComboBox *addressBar;                                                      // cbWebAddressBar
        ShadowLabel *localIP, *activeIP;                                            // laLocalIP, laActiveIP
    };

    // Registers every command under its button's name and the file tools
    // menu's items, and makes them the buttons' actions.
    BrowserCommands(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                    FileDialogs &dialogs, CommandRegistry &commands, Parts parts, QObject *parent = nullptr);

    // The favorites groups for "Save to Favorite Group", and how an address
    // is added to one (false when it could not be).
    void setFavoriteGroups(std::function<QStringList()> groups,
                           std::function<bool(const QString &group, const QString &address)> insert);

    void back();
    void forward();
    void refresh();
    void stop();
    void print();
    void deleteActive();
    void jump();
    void saveToFile();
    void openLocalFile();
    void emailActiveWebAddress();
    void priorBrowser();
    void nextBrowser();
    // Adds the active address to a favorites group (a menu item of "Save to
    // Favorite Group").
    void insertAddress(const QString &group);

    // The file tools menu, set up for the current state and ready to pop up.
    QMenu *fileToolsMenu();
    void fillFavoriteGroupMenu();

    // "mailto:?subject=&Body=<address>", the address encoded as a query value.
    static QString mailtoText(const QString &address);
    // The cell to select: the nearest occupied one below (prior) or above
    // (next) the current cell, else wrapping round from the other end; each
    // candidate is offered to select() until one is taken. NoIndex when none.
    static int stepCell(int current, bool forward, const std::function<bool(int)> &occupied,
                        const std::function<bool(int)> &select);

    // The label clicks.
    QString localIPClicked();
    QString activeIPClicked();

private:
    // The active pane when a command may run; shows the message otherwise.
    class BrowserPane *activeOrTell(const QString &message);
    void step(bool forward);

    BrowserGrid &m_grid;
    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    FileDialogs &m_dialogs;
    Parts m_parts;
    QMenu *m_pmFileTools;
    QMenu *m_saveToFavoriteGroup;
    QAction *m_saveToFile;
    QAction *m_email;
    std::function<QStringList()> m_groups;
    std::function<bool(const QString &, const QString &)> m_insert;
};
