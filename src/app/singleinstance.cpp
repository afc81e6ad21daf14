#include "app/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// One request per line: "open <address>" for each address, then "activate".
// The running copy answers "ok" once it has read the whole request.
const QByteArray ActivationRequest = "activate";
const QByteArray OpenRequest = "open ";
const QByteArray Acknowledgement = "ok";
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance()
{
    delete m_server;
    if (m_lockFd >= 0)
        ::close(m_lockFd); // releases the lock
}

QString SingleInstance::defaultKey()
{
    return QStringLiteral("Vorlan Version 4.x.x-%1").arg(::getuid());
}

bool SingleInstance::handOver(const QStringList &addresses, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(std::max(1, int(std::min<qint64>(deadline.remainingTime(), 1000)))))
        return false;
    QByteArray request;
    for (const QString &address : addresses)
        if (!address.contains(QLatin1Char('\n')) && !address.contains(QLatin1Char('\r')))
            request += OpenRequest + address.toUtf8() + '\n';
    request += ActivationRequest + '\n';
    socket.write(request);
    while (socket.bytesToWrite() > 0 && socket.state() == QLocalSocket::ConnectedState)
        if (!socket.waitForBytesWritten(std::max(1, int(deadline.remainingTime()))) || deadline.hasExpired())
            break;
    if (socket.bytesToWrite() > 0)
        return false;
    // The request is in the running copy's socket now; it reads it once its
    // event loop runs. Its answer says it has.
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
        socket.waitForReadyRead(std::max(1, int(deadline.remainingTime())));
    socket.disconnectFromServer();
    return true;
}

SingleInstance::Claim SingleInstance::claim(const QStringList &addresses, int waitMs)
{
    // The lock is held for the whole run: whoever holds it is the running
    // copy, even while it is still starting and not yet listening.
    const QByteArray lockPath = QFile::encodeName(QDir::temp().filePath(m_key + QStringLiteral(".lock")));
    if (m_lockFd < 0)
        m_lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0)
            break;
        if (handOver(addresses, std::max<qint64>(1, deadline.remainingTime())))
            return Claim::HandedOver;
        if (deadline.hasExpired())
            return Claim::NoAnswer;
        QThread::msleep(50);
    }

    // Nobody else holds the lock: a socket left by a crashed run is stale.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(256);
    if (!m_server->listen(m_key))
        return Claim::First; // no way to listen; run without the hand-over rather than not at all
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            serve(socket);
    });
    return Claim::First;
}

void SingleInstance::serve(QLocalSocket *socket)
{
    // Whole lines only: a request may come in pieces, and part of it may be
    // there already.
    auto readRequest = [this, socket] {
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
        if (activate) {
            socket->write(Acknowledgement + '\n');
            socket->flush();
            emit activationRequested();
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, readRequest);
    connect(socket, &QLocalSocket::disconnected, this, readRequest);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    readRequest();
}
