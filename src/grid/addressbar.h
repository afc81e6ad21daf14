#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>

#include <functional>

class BrowserGrid;
class CommandRegistry;
class DropDownComboBox;
class FileDialogs;
class Prompter;
class QAction;
class QMenu;
class QWidget;
class Shell;
class SkinButton;
struct RuntimeFlags;
struct Settings;

// The web address bar (cbWebAddressBar) and its three modes: web address
// (the list is the active pane's history), active browser links (the
// page's links) and web search (the text is a search term).
class AddressBar : public QObject
{
    Q_OBJECT
public:
    enum class Mode { WebAddress, ActiveBrowserLinks, WebSearch };

    struct Parts
    {
        DropDownComboBox *bar;
        SkinButton *modeButton;    // skAddressMode
        SkinButton *newButton;     // skAddressNew
        SkinButton *redirButton;   // skActiveRedir
        QWidget *buttonPanel;      // pnButtons, for the list width
    };

    // Registers the commands skAddressNew, skActiveRedir and skAddressMode
    // and the mode menu's items, and makes them the buttons' actions.
    AddressBar(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
               FileDialogs &dialogs, CommandRegistry &commands, Parts parts, QObject *parent = nullptr);

    // The colours and the mode glyph again, after the look changed.
    void refreshLook();
    // The glyph of the mode button: image n of the big glyphs.
    void setGlyphSource(std::function<QImage(int)> glyph) { m_glyph = std::move(glyph); }
    // Makes a favorites group from the bar's list; false when it could not.
    void setGroupMaker(std::function<bool(const QStringList &)> maker) { m_makeGroup = std::move(maker); }

    Mode mode() const { return m_mode; }
    QMenu *modeMenu() const { return m_menu; }
    const QStringList &webSearchList() const { return m_webSearchList; }

    // skAddressNew and Enter: the text in a new pane.
    void openInNewBrowser();
    // skActiveRedir: the text in the active pane.
    void redirectActiveBrowser();
    void setWebAddressMode();
    // The active pane moved on to this address: the bar shows it (its
    // start) unless the user is typing in it or it holds other text than
    // web addresses (links, a search term).
    void followActiveAddress(const QString &address);
    // The user has typed in the bar since it last showed an address.
    bool userIsTyping() const;
    void setActiveBrowserLinksMode();
    void setWebSearchMode();
    // The list is about to drop down.
    void dropDown();
    // A double-click on the bar with these keys held.
    void doubleClicked(Qt::KeyboardModifiers keys);

    // Text a desktop browser searches for rather than loads: words with
    // blanks between them, the first without "/" or ":" (no scheme, path or
    // port), that do not name an existing file.
    static bool isSearchPhrase(const QString &text);
    // A "javascript:" address, in any case.
    static bool isScriptAddress(const QString &text);

    // The search-mode colours.
    static constexpr int SearchColor = 15400938;     // pale green
    static constexpr int SearchFontColor = 32768;    // green

private:
    void enterMode(Mode mode);
    void applyColours();
    void setList(const QStringList &items);
    void showAddress(const QString &address);
    // Says so and returns true for a script address.
    bool refuseScriptAddress(const QString &text);
    void rememberSearchTerm(const QString &term);

    BrowserGrid &m_grid;
    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    FileDialogs &m_dialogs;
    Parts m_parts;
    QMenu *m_menu;
    QAction *m_webAddressMode;
    QAction *m_linksMode;
    QAction *m_searchMode;
    Mode m_mode = Mode::WebAddress;
    QStringList m_webSearchList; // cbWebSearchList: sorted, each term once
    std::function<QImage(int)> m_glyph;
    std::function<bool(const QStringList &)> m_makeGroup;
};
