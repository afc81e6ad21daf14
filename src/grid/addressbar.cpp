#include "grid/addressbar.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/filedialogs.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "grid/browsergrid.h"
#include "pane/pageoperations.h"

#include <QActionGroup>
#include <QCursor>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

AddressBar::AddressBar(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                       FileDialogs &dialogs, CommandRegistry &commands, Parts parts, QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_flags(flags), m_prompter(prompter), m_shell(shell),
      m_dialogs(dialogs), m_parts(parts), m_menu(new QMenu(parts.bar))
{
    m_menu->setObjectName(QStringLiteral("pmWebAddressBarMode"));
    auto *group = new QActionGroup(m_menu);
    m_webAddressMode = m_menu->addAction(QStringLiteral("Web Address"), this, &AddressBar::setWebAddressMode);
    m_webAddressMode->setObjectName(QStringLiteral("WebAddressMode"));
    m_linksMode = m_menu->addAction(QStringLiteral("Active Browser Links"), this, &AddressBar::setActiveBrowserLinksMode);
    m_linksMode->setObjectName(QStringLiteral("ActiveBrowserLinksMode"));
    m_searchMode = m_menu->addAction(QStringLiteral("Web Search"), this, &AddressBar::setWebSearchMode);
    m_searchMode->setObjectName(QStringLiteral("WebSearchMode"));
    for (QAction *a : {m_webAddressMode, m_linksMode, m_searchMode}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    m_webAddressMode->setChecked(true);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Cancel"));

    DropDownComboBox *bar = m_parts.bar;
    connect(bar, &DropDownComboBox::enterPressed, this, &AddressBar::openInNewBrowser);
    connect(bar, &DropDownComboBox::aboutToShowPopup, this, &AddressBar::dropDown);
    connect(bar, &DropDownComboBox::doubleClicked, this, &AddressBar::doubleClicked);
    for (QAction *a : {m_webAddressMode, m_linksMode, m_searchMode})
        commands.add(a);
    connect(m_parts.newButton->registerCommand(commands), &QAction::triggered, this, &AddressBar::openInNewBrowser);
    connect(m_parts.redirButton->registerCommand(commands), &QAction::triggered, this,
            &AddressBar::redirectActiveBrowser);
    connect(m_parts.modeButton->registerCommand(commands), &QAction::triggered, this,
            [this] { m_menu->popup(QCursor::pos()); });
}

bool AddressBar::isSearchPhrase(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QRegularExpression(QStringLiteral("\\s")));
    if (blank < 0)
        return false;
    const QString first = trimmed.left(blank);
    return !first.contains(QLatin1Char('/')) && !first.contains(QLatin1Char(':')) && !first.startsWith(QLatin1Char('~'))
           && !QFileInfo::exists(trimmed);
}

void AddressBar::rememberSearchTerm(const QString &term)
{
    if (!m_webSearchList.contains(term))
        m_webSearchList.insert(std::lower_bound(m_webSearchList.begin(), m_webSearchList.end(), term), term);
}

void AddressBar::openInNewBrowser()
{
    const QString text = m_parts.bar->currentText().trimmed();
    BrowserType type = BrowserType::btNormal;
    if (m_mode == Mode::WebSearch) {
        type = BrowserType::btSearchEngine;
        if (m_parts.bar->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            m_parts.bar->addItem(text);
        rememberSearchTerm(text);
        m_parts.bar->setEditText(text);
    } else if (isSearchPhrase(text)) {
        // Words, not an address: searched for, as in search mode.
        type = BrowserType::btSearchEngine;
        rememberSearchTerm(text);
    }
    if (type == BrowserType::btNormal && refuseScriptAddress(text))
        return;
    if (!m_grid.openAddressInNewBrowser(text, type)) {
        if (m_prompter.askConfirmation(QStringLiteral("The browser limit has been reached, jump to IE?")))
            m_shell.openWithDefaultHandler(text);
    }
}

void AddressBar::redirectActiveBrowser()
{
    if (m_flags.activeBrowser == NoIndex) {
        openInNewBrowser();
        return;
    }
    m_flags.pointedCell = NoIndex;
    const QString text = m_parts.bar->currentText().trimmed();
    if (refuseScriptAddress(text))
        return;
    if (BrowserPane *pane = m_grid.activePane())
        pane->navigateTo(isSearchPhrase(text) ? m_grid.searchAddress(text) : text);
}

bool AddressBar::isScriptAddress(const QString &text)
{
    return text.trimmed().startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive);
}

bool AddressBar::refuseScriptAddress(const QString &text)
{
    // Typed or pasted, a script address would run as the page it lands
    // on; desktop browsers do not run one from the address bar.
    if (!isScriptAddress(text))
        return false;
    m_prompter.showInformation(QStringLiteral("Script addresses (javascript:) are not run from the web address bar."));
    return true;
}

void AddressBar::enterMode(Mode mode)
{
    if (m_mode != mode || m_parts.modeButton->bitGlyph().isNull()) {
        const int image = mode == Mode::WebAddress           ? SkinImages::GlyphWebAddressMode
                          : mode == Mode::ActiveBrowserLinks ? SkinImages::GlyphLinksMode
                                                             : SkinImages::GlyphWebSearchMode;
        m_parts.modeButton->setBitGlyph(m_settings.buttonGlyphStyle == 2 || !m_glyph ? QImage() : m_glyph(image));
        m_parts.modeButton->update();
    }
    m_mode = mode;
    (mode == Mode::WebAddress ? m_webAddressMode : mode == Mode::ActiveBrowserLinks ? m_linksMode : m_searchMode)
        ->setChecked(true);
    applyColours();
}

void AddressBar::refreshLook()
{
    m_parts.modeButton->setBitGlyph(QImage());
    enterMode(m_mode);
}

void AddressBar::applyColours()
{
    const bool search = m_mode == Mode::WebSearch;
    QPalette p = m_parts.bar->palette();
    p.setColor(QPalette::Base, settingsColor(search ? SearchColor : m_settings.addressBarColor));
    p.setColor(QPalette::Text, settingsColor(search ? SearchFontColor : m_settings.addressBarFontColor));
    p.setColor(QPalette::ButtonText, p.color(QPalette::Text));
    m_parts.bar->setPalette(p);
    m_parts.bar->lineEdit()->setPalette(p);
}

// Replaces the list and keeps the text as it was.
void AddressBar::setList(const QStringList &items)
{
    const QString text = m_parts.bar->currentText();
    m_parts.bar->clear();
    m_parts.bar->addItems(items);
    m_parts.bar->setEditText(text);
}

void AddressBar::setWebAddressMode()
{
    enterMode(Mode::WebAddress);
    setList({});
    if (BrowserPane *pane = m_grid.activePane()) {
        setList(pane->historyList());
        showAddress(pane->control()->locationUrl());
    }
}

void AddressBar::showAddress(const QString &address)
{
    m_parts.bar->setEditText(address);
    // A long address shows its scheme and server, not its tail.
    if (QLineEdit *edit = m_parts.bar->lineEdit())
        edit->setCursorPosition(0);
}

bool AddressBar::userIsTyping() const
{
    const QLineEdit *edit = m_parts.bar->lineEdit();
    return edit && edit->hasFocus() && edit->isModified();
}

void AddressBar::followActiveAddress(const QString &address)
{
    if (m_mode != Mode::WebAddress || userIsTyping())
        return;
    BrowserPane *pane = m_grid.activePane();
    if (pane)
        setList(pane->historyList());
    showAddress(address);
}

void AddressBar::setActiveBrowserLinksMode()
{
    enterMode(Mode::ActiveBrowserLinks);
    setList({});
    BrowserPane *pane = m_grid.activePane();
    if (!pane)
        return;
    if (pane->pages().fillLinksList()) {
        setList(pane->pages().linksList());
    } else {
        setWebAddressMode();
        m_prompter.showInformation(QStringLiteral("Could not get the links from the active browser,\nit may be busy"));
    }
}

void AddressBar::setWebSearchMode()
{
    enterMode(Mode::WebSearch);
    setList(m_webSearchList);
}

void AddressBar::dropDown()
{
    if (m_mode == Mode::WebAddress)
        setWebAddressMode();
    m_parts.bar->setPopupWidth(m_parts.buttonPanel->width() - m_parts.bar->x() - 6);
}

void AddressBar::doubleClicked(Qt::KeyboardModifiers keys)
{
    const bool shift = keys & Qt::ShiftModifier;
    const bool ctrl = keys & Qt::ControlModifier;
    if (shift && !ctrl) {
        const QString file = m_dialogs.getOpenFileName(
            QStringLiteral("Open a local Internet file."), m_flags.dataFolder + QStringLiteral("Web Saves/"),
            QStringLiteral("Internet File (*.txt *.html *.htm *.wml *.xhtml *.xsl *.shtml *.shtm *.xml *.asp *.php "
                           "*.jsp *.jasp *.csx *.jpeg *.jpg *.gif *.png)"),
            QStringLiteral("html"));
        if (!file.isEmpty())
            m_parts.bar->setEditText(file);
    } else if (ctrl && !shift) {
        if (m_mode == Mode::WebSearch) {
            m_prompter.showInformation(
                QStringLiteral("Could not create new web address group.\nThe web address bar is in search mode."));
            return;
        }
        QStringList items;
        for (int i = 0; i < m_parts.bar->count(); ++i)
            items << m_parts.bar->itemText(i);
        const bool wanted = m_mode == Mode::ActiveBrowserLinks || !items.isEmpty();
        if (!wanted || !m_makeGroup || !m_makeGroup(items))
            m_prompter.showInformation(QStringLiteral("Could not create new web address group."));
    }
}
