#pragma once

#include <QObject>

class AddressActions;
class AddressQueue;
class AddressTreeView;
class CommandRegistry;
class ManagerPanel;
class Prompter;
class QAction;
class QMenu;
class QTreeWidget;
class ShadowLabel;

// The queue area of the manager panel (pnQueuePlane) and the corner label
// laQueue: they show the address queue and hand it the user's commands:
// the master menu (sbQueueMaster), the list's pop-up, the pause toggle, the
// clear button, the delay choice and drops from the trees.
class QueueArea : public QObject
{
    Q_OBJECT
public:
    QueueArea(AddressQueue &queue, AddressActions &actions, ManagerPanel &panel, AddressTreeView &favorites,
              AddressTreeView &imports, Prompter &prompter, CommandRegistry &commands, ShadowLabel *laQueue,
              QObject *parent = nullptr);

    QMenu *masterMenu() const { return m_pmQueueMaster; }
    // The list's pop-up, set up for the queue.
    QMenu *selectedMenu();
    void prepareMasterMenu();

    // The selected row (the last of several), or -1.
    int selectedRow() const;
    void openNow();
    void deleteAddress();
    void chooseTimer();
    void chooseDirectInput();
    void pauseClicked(bool down);
    // sbQueueTimerClear: after the confirmation, the queue stopped and emptied.
    void clear();
    // A drop on the list of the selected node of a tree.
    bool dropFrom(QTreeWidget *source);

    // When the panel opens: the stored delay, the open type's widgets.
    void panelOpening();
    // The controller labels (Label70, Label71).
    void setControllerStatus(const QString &status, const QString &openButton);

    // The widgets follow the queue.
    void sync();

signals:
    // "Open By Direct Input" was chosen: the controller labels want their
    // texts.
    void directInputChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *item(QMenu *menu, const char *name, const QString &text, void (QueueArea::*slot)());
    void syncList();

    AddressQueue &m_queue;
    AddressActions &m_actions;
    ManagerPanel &m_panel;
    AddressTreeView &m_favorites;
    AddressTreeView &m_imports;
    Prompter &m_prompter;
    CommandRegistry &m_commands;
    ShadowLabel *m_laQueue;
    QMenu *m_pmQueueMaster;
    QMenu *m_webAddressSub;
    QMenu *m_pmQueueSelected;
    QAction *m_openByTimer, *m_openByDirectInput;
    QAction *m_selectedOpen, *m_selectedDelete;
    bool m_widgetsShown = false; // both sets stay hidden until the panel first opens
};
