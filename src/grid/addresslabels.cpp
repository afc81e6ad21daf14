#include "grid/addresslabels.h"

#include "core/busycursor.h"
#include "core/runtimeflags.h"
#include "grid/browsergrid.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QRegularExpression>

namespace AddressLabels {

QString serverWithPort(const QString &address)
{
    QString rest = address.trimmed();
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    rest.remove(scheme);
    rest = rest.section(QLatin1Char('/'), 0, 0);
    // Credentials are never shown.
    return rest.section(QLatin1Char('@'), -1);
}

QString serverPart(const QString &address)
{
    // Without the port; an IPv6 literal keeps its brackets off.
    const QString rest = serverWithPort(address);
    if (rest.startsWith(QLatin1Char('[')))
        return rest.section(QLatin1Char(']'), 0, 0).mid(1);
    return rest.section(QLatin1Char(':'), 0, 0);
}

QString lastAddress(const QList<QHostAddress> &addresses)
{
    return addresses.isEmpty() ? QStringLiteral("Failed") : addresses.last().toString();
}

QString localIPAddress(const QList<QHostAddress> &hostNameAddresses, const QList<QHostAddress> &interfaceAddresses)
{
    bool onlyLoopback = true;
    for (const QHostAddress &a : hostNameAddresses)
        if (!a.isLoopback())
            onlyLoopback = false;
    if (!onlyLoopback)
        return lastAddress(hostNameAddresses);
    for (const QHostAddress &a : interfaceAddresses)
        if (!a.isLoopback() && a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
    return lastAddress(hostNameAddresses);
}

QString localIPAddress()
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    return localIPAddress(info.addresses(), QNetworkInterface::allAddresses());
}

QString activeIPAddress(const BrowserGrid &grid, const RuntimeFlags &flags)
{
    if (flags.connectionState != 1)
        return QStringLiteral("Off Line");
    BrowserPane *pane = grid.activePane();
    if (flags.browserCount < 1 || flags.activeBrowser == NoIndex || !pane)
        return QStringLiteral("No Active Browser");
    if (pane->control()->busy() || !pane->control()->hasDocument())
        return QStringLiteral("Busy");
    BusyCursor busy;
    const QString server = serverPart(pane->control()->locationUrl());
    if (server.isEmpty())
        return QStringLiteral("Failed");
    return lastAddress(QHostInfo::fromName(server).addresses());
}

} // namespace AddressLabels
