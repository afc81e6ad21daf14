#include "support/localwebserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslSocket>
#include <QTcpSocket>

LocalWebServer::LocalWebServer(QObject *parent) : LocalWebServer(QHostAddress(QHostAddress::LocalHost), parent) {}

LocalWebServer::LocalWebServer(const QHostAddress &address, QObject *parent) : QTcpServer(parent)
{
    listen(address, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LocalWebServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("%1://%2:%3%4").arg(m_scheme, serverAddress().toString()).arg(serverPort()).arg(path));
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
    if (m_responders.contains(path)) {
        response = m_responders.value(path)(request);
    } else if (m_pages.contains(path)) {
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

LocalSslWebServer::LocalSslWebServer(const QString &folder, const QHostAddress &address, QObject *parent)
    : LocalWebServer(address, parent)
{
    m_scheme = QStringLiteral("https");
    if (!QSslSocket::supportsSsl()) {
        m_failure = QStringLiteral("Qt has no TLS backend here");
        return;
    }
    const QString key = QDir(folder).filePath(QStringLiteral("key.pem"));
    const QString cert = QDir(folder).filePath(QStringLiteral("cert.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-keyout"), key,
                   QStringLiteral("-out"), cert});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        m_failure = QStringLiteral("openssl could not make a certificate");
        return;
    }
    QFile certFile(cert), keyFile(key);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        m_failure = QStringLiteral("the certificate files cannot be read");
        return;
    }
    m_certificate = QSslCertificate(certFile.readAll());
    m_key = QSslKey(keyFile.readAll(), QSsl::Rsa);
    m_ready = !m_certificate.isNull() && !m_key.isNull();
    if (!m_ready)
        m_failure = QStringLiteral("the certificate made by openssl cannot be read");
}

void LocalSslWebServer::incomingConnection(qintptr handle)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(m_certificate);
    socket->setPrivateKey(m_key);
    socket->setPeerVerifyMode(QSslSocket::VerifyNone);
    // A client that refuses the certificate closes the connection; that is
    // not an error of the server.
    connect(socket, &QSslSocket::sslErrors, socket, [socket] { socket->ignoreSslErrors(); });
    addPendingConnection(socket);
    socket->startServerEncryption();
}
