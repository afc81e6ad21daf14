#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Keeps the program to one running copy per user. The first copy takes a
// lock file, held for its whole run, and listens on a local socket; a later
// launch finds the lock taken, hands the running copy the addresses it was
// given over the socket, asks it to come to the front, and ends. A launch
// that comes while the first copy is still starting waits for it (bounded).
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Claim {
        First,     // this copy runs; it holds the lock and listens
        HandedOver, // another copy runs and has been given the addresses
        NoAnswer,  // another copy holds the lock but did not answer in time
    };

    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // "Vorlan Version 4.x.x" and the user id.
    static QString defaultKey();

    // Becomes the first copy, or hands the addresses to the copy that runs,
    // waiting up to waitMs for one that is starting.
    Claim claim(const QStringList &addresses = {}, int waitMs = 10000);

signals:
    // A later launch asked this copy to show itself.
    void activationRequested();
    // A later launch was given these addresses to open.
    void addressesReceived(const QStringList &addresses);

private:
    bool handOver(const QStringList &addresses, int waitMs);
    void serve(QLocalSocket *socket);

    QString m_key;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
};
