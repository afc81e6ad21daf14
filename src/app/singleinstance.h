#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// Keeps the program to one running copy per user. The first copy listens on
// a local socket; a later launch finds it there, hands it the addresses it
// was given, asks it to come to the front, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // "Vorlan Version 4.x.x" and the user id.
    static QString defaultKey();

    // True when this is the first copy (it now listens). False when another
    // copy runs: it has been given the addresses and asked to restore and
    // raise its window.
    bool claim(const QStringList &addresses = {});

signals:
    // A later launch asked this copy to show itself.
    void activationRequested();
    // A later launch was given these addresses to open.
    void addressesReceived(const QStringList &addresses);

private:
    bool askRunningCopy(const QStringList &addresses);

    QString m_key;
    QLocalServer *m_server = nullptr;
};
