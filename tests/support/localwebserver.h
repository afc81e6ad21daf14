#pragma once

#include <QHash>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP server on 127.0.0.1 for tests: serves fixed pages by path and
// counts the requests it got.
class LocalWebServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit LocalWebServer(QObject *parent = nullptr);

    void addPage(const QString &path, const QByteArray &html) { m_pages.insert(path, html); }
    QUrl url(const QString &path) const;
    int requestCount(const QString &path) const { return m_requests.value(path); }

private:
    void serve(QTcpSocket *socket);
    QHash<QString, QByteArray> m_pages;
    QHash<QString, int> m_requests;
};
