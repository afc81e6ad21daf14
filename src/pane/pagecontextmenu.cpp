#include "pane/pagecontextmenu.h"

#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "pane/browsercontrol.h"
#include "pane/panehost.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

const QString PageContextMenu::OpenLinkText = QStringLiteral("Open link in new pane");
const QString PageContextMenu::NoRoomText = QStringLiteral("The link could not be opened: there is no free pane.");

PageContextMenu::PageContextMenu(QWebEngineView *view) : QObject(view), m_view(view)
{
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, &PageContextMenu::show);
}

void PageContextMenu::show(const QPoint &position)
{
    QWebEnginePage *page = m_view->page();
    const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest();
    if (!page || !request)
        return;
    if (m_menu)
        m_menu->close();
    auto *menu = new QMenu(m_view);
    menu->setObjectName(QStringLiteral("PageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_menu = menu;

    const QUrl link = request->linkUrl();
    const QString selected = request->selectedText();
    if (link.isValid() && !link.isEmpty()) {
        menu->addAction(OpenLinkText, this, [this, link] { openInNewPane(link); })->setEnabled(m_host != nullptr);
        menu->addAction(QStringLiteral("Copy link address"), this,
                        [link] { QApplication::clipboard()->setText(link.toString()); });
        menu->addSeparator();
    }
    QAction *back = menu->addAction(QStringLiteral("Back"), page, [page] { page->triggerAction(QWebEnginePage::Back); });
    back->setEnabled(page->history()->canGoBack());
    QAction *forward =
        menu->addAction(QStringLiteral("Forward"), page, [page] { page->triggerAction(QWebEnginePage::Forward); });
    forward->setEnabled(page->history()->canGoForward());
    menu->addAction(QStringLiteral("Reload"), page, [page] { page->triggerAction(QWebEnginePage::Reload); });
    menu->addSeparator();
    QAction *copy = menu->addAction(QStringLiteral("Copy"), this, [selected] {
        QApplication::clipboard()->setText(selected);
    });
    copy->setEnabled(!selected.isEmpty());
    menu->popup(m_view->mapToGlobal(position));
}

void PageContextMenu::openInNewPane(const QUrl &url)
{
    if (!m_host)
        return;
    const int browserNo = m_host->openEmptyBrowser();
    BrowserControl *control = browserNo != NoIndex ? m_host->browserControl(browserNo) : nullptr;
    if (!control) {
        m_host->prompter().showInformation(NoRoomText);
        return;
    }
    control->navigate2(url.toString());
}
