#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps the program to one running copy per user. The first copy listens on
// a local socket; a later launch finds it there, asks it to come to the
// front, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // "Vorlan Version 4.x.x" and the user id.
    static QString defaultKey();

    // True when this is the first copy (it now listens). False when another
    // copy runs: it has been asked to restore and raise its window.
    bool claim();

signals:
    // A later launch asked this copy to show itself.
    void activationRequested();

private:
    bool askRunningCopy();

    QString m_key;
    QLocalServer *m_server = nullptr;
};
