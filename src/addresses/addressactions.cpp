#include "addresses/addressactions.h"

#include "addresses/addressqueue.h"
#include "addresses/addresstree.h"
#include "addresses/favoritestree.h"
#include "core/prompter.h"
#include "core/shell.h"
#include "core/urlquery.h"
#include "grid/browsergrid.h"

AddressActions::AddressActions(BrowserGrid &grid, AddressQueue &queue, Prompter &prompter, Shell &shell)
    : m_grid(grid), m_queue(queue), m_prompter(prompter), m_shell(shell)
{
}

bool AddressActions::sendAddressToQueue(const AddressNode *node)
{
    if (!FavoritesTree::isWebAddress(node))
        return false;
    const QString address = node->caption().trimmed();
    if (address.isEmpty())
        return false;
    m_queue.append({address});
    return true;
}

bool AddressActions::sendGroupToQueue(const AddressNode *node)
{
    if (!FavoritesTree::isGroup(node))
        return false;
    QStringList addresses;
    for (int i = 0; i < node->childCount(); ++i)
        addresses << node->child(i)->caption();
    m_queue.append(addresses);
    return true;
}

bool AddressActions::openNow(const AddressNode *node)
{
    if (!FavoritesTree::isWebAddress(node))
        return false;
    const QString address = node->caption().trimmed();
    if (address.isEmpty())
        return false;
    if (m_grid.openAddressInNewBrowser(address, BrowserType::btNormal))
        return true;
    m_prompter.showInformation(AddressQueue::GridLimitMessage);
    return false;
}

QString AddressActions::mailtoText(const QString &address)
{
    return QStringLiteral("mailto:?subject=&Body=") + UrlQuery::encodeValue(address);
}

bool AddressActions::email(const AddressNode *node)
{
    if (!node || node->caption().isEmpty())
        return false;
    return m_shell.openWithDefaultHandler(mailtoText(node->caption()));
}

bool AddressActions::dropOnQueue(const AddressNode *node)
{
    if (FavoritesTree::isWebAddress(node)) {
        m_queue.append({node->caption()});
        return true;
    }
    if (FavoritesTree::isGroup(node))
        return sendGroupToQueue(node);
    m_prompter.showInformation(AddressQueue::DropRefusedMessage);
    return false;
}
