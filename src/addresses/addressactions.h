#pragma once

#include <QString>

class AddressNode;
class AddressQueue;
class BrowserGrid;
class Prompter;
class Shell;

// What both trees do with a selected node: hand it to the queue, open it in
// a new browser at once, or hand it to the mail program.
class AddressActions
{
public:
    AddressActions(BrowserGrid &grid, AddressQueue &queue, Prompter &prompter, Shell &shell);

    // "Send Web Address to the Queue": the trimmed address, unless blank.
    bool sendAddressToQueue(const AddressNode *node);
    // "Send Group to the Queue": the addresses of a group or date node, in
    // order, as they stand.
    bool sendGroupToQueue(const AddressNode *node);
    // "Open Web Address Now": the trimmed address in a new active browser;
    // a full grid is told.
    bool openNow(const AddressNode *node);
    // "Email Web Address": the address as the body of a new mail.
    bool email(const AddressNode *node);
    // A node dropped on the queue list: an address, or the addresses of a
    // group; anything else is refused with its message.
    bool dropOnQueue(const AddressNode *node);

    // "mailto:?subject=&Body=<address>", the address encoded as one value
    // so an "&" or "#" in it neither ends the body nor adds a field.
    static QString mailtoText(const QString &address);

private:
    BrowserGrid &m_grid;
    AddressQueue &m_queue;
    Prompter &m_prompter;
    Shell &m_shell;
};
