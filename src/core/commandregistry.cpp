#include "core/commandregistry.h"

#include <QAction>
#include <QMenu>

QAction *CommandRegistry::add(const QString &name, const QString &text)
{
    if (name.isEmpty() || m_commands.value(name))
        return nullptr;
    auto *action = new QAction(text.isEmpty() ? name : text, this);
    action->setObjectName(name);
    add(action);
    return action;
}

bool CommandRegistry::add(QAction *action)
{
    const QString name = action ? action->objectName() : QString();
    if (name.isEmpty() || m_commands.value(name))
        return false;
    // A name whose action was freed is free again.
    m_order.removeAll(name);
    m_commands.insert(name, action);
    m_order << name;
    return true;
}

QAction *CommandRegistry::command(const QString &name) const
{
    return m_commands.value(name);
}

bool CommandRegistry::trigger(const QString &name) const
{
    QAction *action = command(name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

QStringList CommandRegistry::names() const
{
    QStringList live;
    for (const QString &name : m_order)
        if (m_commands.value(name))
            live << name;
    return live;
}

QAction *CommandRegistry::addMenuItem(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    add(action);
    return action;
}
