#include "addresses/queuearea.h"

#include "addresses/addressactions.h"
#include "addresses/addressqueue.h"
#include "addresses/addresstreeview.h"
#include "addresses/managerpanel.h"
#include "appearance/widgets/listboxstripes.h"
#include "appearance/widgets/shadowlabel.h"
#include "core/commandregistry.h"
#include "core/prompter.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>

QueueArea::QueueArea(AddressQueue &queue, AddressActions &actions, ManagerPanel &panel, AddressTreeView &favorites,
                     AddressTreeView &imports, Prompter &prompter, CommandRegistry &commands, ShadowLabel *laQueue,
                     QObject *parent)
    : QObject(parent), m_queue(queue), m_actions(actions), m_panel(panel), m_favorites(favorites),
      m_imports(imports), m_prompter(prompter), m_commands(commands), m_laQueue(laQueue)
{
    m_pmQueueMaster = new QMenu(&panel);
    m_pmQueueMaster->setObjectName(QStringLiteral("pmQueueMaster"));
    m_openByTimer = item(m_pmQueueMaster, "OpenByTimer1", QStringLiteral("Open By System Timer"),
                         &QueueArea::chooseTimer);
    m_openByDirectInput = item(m_pmQueueMaster, "OpenByDirectInput1", QStringLiteral("Open By Direct Input"),
                               &QueueArea::chooseDirectInput);
    m_openByTimer->setCheckable(true);
    m_openByDirectInput->setCheckable(true);
    m_pmQueueMaster->addSeparator();
    m_webAddressSub = m_pmQueueMaster->addMenu(QStringLiteral("Web Address"));
    m_webAddressSub->setObjectName(QStringLiteral("WebAddressQueueMaster"));
    item(m_webAddressSub, "OpenWebAddressNowQueueMaster", QStringLiteral("Open Web Address Now"), &QueueArea::openNow);
    item(m_webAddressSub, "DeleteWebAddressQueueMaster", QStringLiteral("Delete Web Address"),
         &QueueArea::deleteAddress);
    m_pmQueueMaster->addSeparator();
    m_pmQueueMaster->addAction(QStringLiteral("Cancel"));
    connect(m_pmQueueMaster, &QMenu::aboutToShow, this, &QueueArea::prepareMasterMenu);

    m_pmQueueSelected = new QMenu(&panel);
    m_pmQueueSelected->setObjectName(QStringLiteral("pmQueueSelected"));
    m_selectedOpen = item(m_pmQueueSelected, "OpenWebAddressNowQueueSelected", QStringLiteral("Open Web Address Now"),
                          &QueueArea::openNow);
    m_selectedDelete = item(m_pmQueueSelected, "DeleteWebAddressQueueSelected", QStringLiteral("Delete Web Address"),
                            &QueueArea::deleteAddress);
    m_pmQueueSelected->addSeparator();
    m_pmQueueSelected->addAction(QStringLiteral("Cancel"));

    connect(panel.sbQueueMaster, &QToolButton::clicked, this, [this] { m_pmQueueMaster->popup(QCursor::pos()); });
    connect(panel.sbQueueTimerPause, &QToolButton::clicked, this, &QueueArea::pauseClicked);
    connect(panel.sbQueueTimerClear, &QToolButton::clicked, this, &QueueArea::clear);
    connect(panel.cbQueueTimerInterval, &QComboBox::activated, &m_queue, &AddressQueue::setDelay);

    ListBoxStripes *list = panel.lbQueueList;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DropOnly);
    list->viewport()->installEventFilter(this);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint &pos) { selectedMenu()->popup(list->viewport()->mapToGlobal(pos)); });

    connect(&m_queue, &AddressQueue::changed, this, &QueueArea::sync);
    sync();
}

QAction *QueueArea::item(QMenu *menu, const char *name, const QString &text, void (QueueArea::*slot)())
{
    return m_commands.addMenuItem(menu, name, text, this, slot);
}

QMenu *QueueArea::selectedMenu()
{
    m_selectedOpen->setEnabled(m_queue.count() > 0);
    m_selectedDelete->setEnabled(m_queue.count() > 0);
    return m_pmQueueSelected;
}

void QueueArea::prepareMasterMenu()
{
    m_webAddressSub->setEnabled(m_queue.count() > 0);
}

int QueueArea::selectedRow() const
{
    int row = -1;
    const ListBoxStripes *list = m_panel.lbQueueList;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            row = i;
    return row;
}

void QueueArea::openNow()
{
    if (m_queue.openNow(selectedRow()) == AddressQueue::OpenResult::Refused)
        m_prompter.showInformation(AddressQueue::GridLimitMessage);
}

void QueueArea::deleteAddress()
{
    m_queue.deleteItem(selectedRow());
}

void QueueArea::chooseTimer()
{
    m_queue.chooseOpenType(0);
}

void QueueArea::chooseDirectInput()
{
    m_queue.chooseOpenType(1);
    emit directInputChosen();
}

void QueueArea::pauseClicked(bool down)
{
    m_queue.setPaused(down);
}

void QueueArea::clear()
{
    if (m_queue.count() > 0 && m_prompter.askConfirmation(QStringLiteral("Clear the web address queue?")))
        m_queue.clear();
}

bool QueueArea::dropFrom(QTreeWidget *source)
{
    AddressTreeView *view = source == m_favorites.widget() ? &m_favorites
                            : source == m_imports.widget() ? &m_imports
                                                           : nullptr;
    return view && m_actions.dropOnQueue(view->selectedNode());
}

void QueueArea::panelOpening()
{
    m_panel.cbQueueTimerInterval->setCurrentIndex(m_queue.delay());
    m_widgetsShown = true;
    m_queue.refreshOpenType();
}

void QueueArea::setControllerStatus(const QString &status, const QString &openButton)
{
    m_panel.Label70->setText(status);
    m_panel.Label71->setText(openButton);
}

void QueueArea::syncList()
{
    ListBoxStripes *list = m_panel.lbQueueList;
    const QStringList &items = m_queue.items();
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown == items)
        return;
    // The usual changes keep the user's selection: one row gone, rows added
    // at the tail.
    if (shown.size() == items.size() + 1) {
        for (int r = 0; r < shown.size(); ++r) {
            QStringList without = shown;
            without.removeAt(r);
            if (without == items) {
                delete list->takeItem(r);
                return;
            }
        }
    }
    if (shown.size() < items.size() && items.mid(0, shown.size()) == shown) {
        list->addItems(items.mid(shown.size()));
        return;
    }
    list->clear();
    list->addItems(items);
}

void QueueArea::sync()
{
    syncList();
    m_panel.Label68->setText(m_queue.pendingText());
    m_panel.Label66->setText(m_queue.status());
    if (m_laQueue)
        m_laQueue->setText(m_queue.cornerText());
    {
        const QSignalBlocker blocker(m_panel.sbQueueTimerPause);
        m_panel.sbQueueTimerPause->setChecked(m_queue.isPaused());
    }
    m_panel.sbQueueTimerPause->setEnabled(m_queue.pauseEnabled());
    const bool timer = m_queue.openType() == 0;
    m_openByTimer->setChecked(timer);
    m_openByDirectInput->setChecked(!timer);
    if (m_widgetsShown) {
        for (QWidget *w : {static_cast<QWidget *>(m_panel.imTimer), static_cast<QWidget *>(m_panel.Label66),
                           static_cast<QWidget *>(m_panel.Label67),
                           static_cast<QWidget *>(m_panel.cbQueueTimerInterval)})
            w->setVisible(timer);
        for (QWidget *w : {m_panel.imDX, m_panel.Label70, m_panel.Label71})
            w->setVisible(!timer);
    }
}

bool QueueArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_panel.lbQueueList->viewport())
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        QObject *source = drag->source();
        if (source && (source == m_favorites.widget() || source == m_imports.widget()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        dropFrom(qobject_cast<QTreeWidget *>(drop->source()));
        // A copy: the tree keeps its node.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    default:
        return false;
    }
}
