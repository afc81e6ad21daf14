#include "pane/fullscreenview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

FullScreenView::FullScreenView(QWebEngineView *view, QObject *parent) : QObject(parent), m_view(view) {}

FullScreenView::~FullScreenView()
{
    if (m_window) {
        qApp->removeEventFilter(this);
        delete m_window;
    }
}

void FullScreenView::enter()
{
    if (m_window || !m_view)
        return;
    m_oldParent = m_view->parentWidget();
    m_oldGeometry = m_view->geometry();
    m_window = new QWidget;
    m_window->setObjectName(QStringLiteral("FullScreenPage"));
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->show();
    m_window->showFullScreen();
    m_window->activateWindow();
    m_view->setFocus();
    // Esc ends full screen whichever widget of the window has the focus;
    // the page's own key handling never sees it.
    qApp->installEventFilter(this);
}

void FullScreenView::leave()
{
    if (!m_window)
        return;
    qApp->removeEventFilter(this);
    if (m_view) {
        m_window->layout()->removeWidget(m_view);
        m_view->setParent(m_oldParent);
        m_view->setGeometry(m_oldGeometry);
        // Under the pane's button strip, as it was.
        m_view->lower();
        m_view->show();
    }
    QWidget *window = m_window;
    m_window.clear();
    window->hide();
    window->deleteLater();
    if (m_view && m_oldParent)
        m_oldParent->window()->activateWindow();
}

bool FullScreenView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_window && m_view && event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && static_cast<QWidget *>(watched)->window() == m_window) {
        // The page leaves full screen and tells the control, which brings
        // the view back.
        m_view->page()->triggerAction(QWebEnginePage::ExitFullScreen);
        return true;
    }
    if (m_window && m_view && event->type() == QEvent::Close && watched == m_window.data()) {
        m_view->page()->triggerAction(QWebEnginePage::ExitFullScreen);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
