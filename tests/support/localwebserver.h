#pragma once

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QSslCertificate>
#include <QSslKey>
#include <QUrl>

#include <functional>

// A tiny HTTP server on 127.0.0.1 for tests: serves fixed pages by path and
// counts the requests it got.
class LocalWebServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit LocalWebServer(QObject *parent = nullptr);
    // On another loopback address (127.0.0.2, ...): a site of its own to the
    // engine.
    explicit LocalWebServer(const QHostAddress &address, QObject *parent = nullptr);

    void addPage(const QString &path, const QByteArray &html) { m_pages.insert(path, html); }
    // A path answered by respond, given the whole request (head and body);
    // it returns the raw response (status line, headers and body). The
    // connection closes once it is written, so a response shorter than its
    // Content-Length breaks off.
    using Responder = std::function<QByteArray(const QByteArray &request)>;
    void addResponder(const QString &path, Responder respond) { m_responders.insert(path, std::move(respond)); }
    QUrl url(const QString &path) const;
    int requestCount(const QString &path) const { return m_requests.value(path); }

protected:
    void serve(QTcpSocket *socket);
    QString m_scheme = QStringLiteral("http");

private:
    QHash<QString, Responder> m_responders;
    QHash<QString, QByteArray> m_pages;
    QHash<QString, int> m_requests;
};

// The same server over HTTPS with a self-signed certificate for 127.0.0.1,
// made by openssl in folder. ready() is false when that failed or this Qt
// has no TLS.
class LocalSslWebServer : public LocalWebServer
{
    Q_OBJECT
public:
    explicit LocalSslWebServer(const QString &folder, const QHostAddress &address = QHostAddress(QHostAddress::LocalHost),
                               QObject *parent = nullptr);
    bool ready() const { return m_ready; }
    QString failure() const { return m_failure; }

protected:
    void incomingConnection(qintptr handle) override;

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
    bool m_ready = false;
    QString m_failure;
};
