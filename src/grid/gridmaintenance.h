#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class BrowserGrid;
class Prompter;
class QWidget;
struct RuntimeFlags;
struct Settings;

// Defragmenting the grid (every pane into the first cells, in the order of
// their browser numbers) and cleaning it up (every pane deleted), pane by
// pane with a pause after each, the status and progress shown as they go.
class GridMaintenance : public QObject
{
    Q_OBJECT
public:
    GridMaintenance(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                    QObject *parent = nullptr);

    // Widgets disabled while an operation runs (pnMaster, pnGridTools, pnNavGrid).
    void setWidgetsDisabledDuring(QList<QPointer<QWidget>> widgets) { m_disable = std::move(widgets); }

    // The estimates of the page for the browsers in use now.
    QString defragEstimate() const;
    QString cleanUpEstimate() const;
    // n x pause x 2 / 1000 seconds, in its shortest form with "." as the
    // decimal point ("0.9", "12", "1.2").
    static QString seconds(int browsers, int pauseMilliseconds);

    // Both ask first; true when they ran to the end.
    bool defragment();
    bool cleanUp();

    QString status() const { return m_status; }

signals:
    void statusChanged(const QString &status);
    void progressChanged(int value, int maximum);
    void estimatesChanged(const QString &defrag, const QString &cleanUp);
    // The grid is no longer as the program can go on with: the message is
    // shown and the program closes.
    void fatalError(const QString &message);

private:
    void setStatus(const QString &status);
    void step();
    void setWidgetsEnabled(bool enabled);
    void scrollToOrigin();

    BrowserGrid &m_grid;
    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    QList<QPointer<QWidget>> m_disable;
    QString m_status = QStringLiteral("Stopped");
    int m_progress = 0;
    int m_maximum = 0;
};
