#include "support/localwebserver.h"

#include <QTcpSocket>

LocalWebServer::LocalWebServer(QObject *parent) : QTcpServer(parent)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LocalWebServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

void LocalWebServer::serve(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(65536);
    if (!request.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QList<QByteArray> words = request.split(' ');
    const QString path = words.size() > 1 ? QString::fromUtf8(words[1]).section(QLatin1Char('?'), 0, 0) : QString();
    m_requests[path] += 1;
    QByteArray response;
    if (m_pages.contains(path)) {
        const QByteArray body = m_pages.value(path);
        const QByteArray type = path.endsWith(QLatin1String(".wav")) ? "audio/wav" : "text/html; charset=utf-8";
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: "
                   + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    } else {
        response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    }
    socket->write(response);
    socket->disconnectFromHost();
}
