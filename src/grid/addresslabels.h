#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

class BrowserGrid;
struct RuntimeFlags;

// The two address labels of the bottom strip: the computer's own network
// address (laLocalIP) and that of the active page's server (laActiveIP).
namespace AddressLabels {

// The server of an address as it is shown: any "scheme://" and "user@"
// dropped, cut before the first "/", a ":port" kept.
QString serverWithPort(const QString &address);
// The server of an address as it is looked up: serverWithPort without the
// ":port" (and an IPv6 address without its brackets).
QString serverPart(const QString &address);

// The address a label shows for a look-up result: the last of the list
// ("Failed" for none).
QString lastAddress(const QList<QHostAddress> &addresses);

// The local address: the last address the host name resolves to; when that
// gives only loopback addresses, the first non-loopback IPv4 address of the
// network interfaces instead. "Failed" when there is none.
QString localIPAddress();
QString localIPAddress(const QList<QHostAddress> &hostNameAddresses, const QList<QHostAddress> &interfaceAddresses);

// The active page's server address, or "Off Line", "No Active Browser",
// "Busy", "Failed".
QString activeIPAddress(const BrowserGrid &grid, const RuntimeFlags &flags);

} // namespace AddressLabels
