#include "app/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace {
// One request per line: "open <address>" for each address, then "activate".
const QByteArray ActivationRequest = "activate";
const QByteArray OpenRequest = "open ";
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    return QStringLiteral("Vorlan Version 4.x.x-%1").arg(::getuid());
}

bool SingleInstance::askRunningCopy(const QStringList &addresses)
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(500))
        return false;
    QByteArray request;
    for (const QString &address : addresses)
        if (!address.contains(QLatin1Char('\n')) && !address.contains(QLatin1Char('\r')))
            request += OpenRequest + address.toUtf8() + '\n';
    request += ActivationRequest + '\n';
    socket.write(request);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(2000);
    return true;
}

bool SingleInstance::claim(const QStringList &addresses)
{
    // Two launches at the same moment must not both become the first copy.
    QLockFile lock(QDir::temp().filePath(m_key + QStringLiteral(".lock")));
    lock.tryLock(2000);

    if (askRunningCopy(addresses))
        return false;
    // Nobody answered: a socket file left by a crashed run is stale.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key))
        return true; // no way to listen; run without the guard rather than not at all
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            // Whole lines only: a request may come in pieces.
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                QStringList addresses;
                bool activate = false;
                while (socket->canReadLine()) {
                    const QByteArray line = socket->readLine().chopped(1);
                    if (line.startsWith(OpenRequest))
                        addresses << QString::fromUtf8(line.mid(OpenRequest.size()));
                    else if (line == ActivationRequest)
                        activate = true;
                }
                if (!addresses.isEmpty())
                    emit addressesReceived(addresses);
                if (activate)
                    emit activationRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}
