#pragma once

#include <QAction>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QMenu;

// Every user command of the program, by its established name ("skActiveBack",
// "Options1", ...). The subsystem that owns a command registers it once;
// buttons, menus, shortcuts, the controller's button map and the map panel
// trigger commands by name and never reach into each other's widgets.
class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // A new command, owned by the registry, with name as its object name.
    // Null when the name is empty or taken.
    QAction *add(const QString &name, const QString &text = {});
    // Registers an action made elsewhere (a menu item) under its object
    // name; false when the name is empty or taken.
    bool add(QAction *action);
    // A new item on menu with name as its object name, registered as a
    // command, that calls slot on receiver.
    template <typename Receiver>
    QAction *addMenuItem(QMenu *menu, const char *name, const QString &text, Receiver *receiver,
                         void (Receiver::*slot)())
    {
        QAction *action = addMenuItem(menu, name, text);
        QObject::connect(action, &QAction::triggered, receiver, slot);
        return action;
    }

    // The command of that name, or null.
    QAction *command(const QString &name) const;
    // Triggers a command; false when there is none by that name or it is
    // disabled.
    bool trigger(const QString &name) const;
    // Every registered name, in the order of registration.
    QStringList names() const;

private:
    QAction *addMenuItem(QMenu *menu, const char *name, const QString &text);

    QHash<QString, QPointer<QAction>> m_commands;
    QStringList m_order;
};
