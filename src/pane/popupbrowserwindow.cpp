#include "pane/popupbrowserwindow.h"

#include "pane/browserpage.h"

#include <QApplication>
#include <QWebEngineView>

namespace {
QList<PopupBrowserWindow *> &registry()
{
    static QList<PopupBrowserWindow *> windows;
    return windows;
}
} // namespace

PopupBrowserWindow::PopupBrowserWindow(QWidget *parent)
    : QMainWindow(parent), m_view(new QWebEngineView(this)), m_page(new BrowserPage(m_view))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("PopupBrowserWindow"));
    m_view->setPage(m_page);
    setCentralWidget(m_view);
    resize(800, 600);
    registry().append(this);
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title.isEmpty() ? QApplication::applicationName()
                                       : title + QStringLiteral(" - ") + QApplication::applicationName());
    });
    // A window of its own belongs to its page: the page may close it.
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    // Further pop-ups from this window get windows of their own as well.
    m_page->setCreateWindowHandler([](QWebEnginePage::WebWindowType) -> QWebEnginePage * {
        auto *window = new PopupBrowserWindow;
        window->show();
        return window->page();
    });
}

PopupBrowserWindow::~PopupBrowserWindow()
{
    registry().removeAll(this);
}

QList<PopupBrowserWindow *> PopupBrowserWindow::openWindows()
{
    return registry();
}
