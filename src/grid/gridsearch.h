#pragma once

#include "pane/panehost.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

class BrowserGrid;
class Prompter;
struct RuntimeFlags;

// The text search across every page of the grid: each page highlights the
// text in the chosen colour, and the panes that hold highlights make the
// result list. It also holds what "Search on download" applies to every
// page that arrives.
class GridSearch : public QObject
{
    Q_OBJECT
public:
    // One line of the result list; the browser number finds the pane again
    // even after it moved.
    struct Result
    {
        int browserNo;
        QString text; // "cell • address"
    };

    GridSearch(BrowserGrid &grid, RuntimeFlags &flags, Prompter &prompter, QObject *parent = nullptr);

    void setText(const QString &text) { m_text = text; }
    QString text() const { return m_text; }
    void setColour(const QColor &colour) { m_colour = colour; }
    QColor colour() const { return m_colour; }
    void setProximate(bool proximate) { m_proximate = proximate; }
    bool proximate() const { return m_proximate; }
    void setSearchOnDownload(bool on) { m_onDownload = on; }
    bool searchOnDownloadEnabled() const { return m_onDownload; }
    // What a page that arrives is searched for (no text when that is off).
    SearchOnDownload searchOnDownload() const;

    // Searches every page for the text; false when it did not run (a blank
    // text, no panes). The status and progress follow it.
    bool search();
    // The panes with highlights, in cell order.
    QList<Result> results() const;
    // Makes the pane of a result the active browser; false when it is gone.
    bool selectResult(int browserNo);
    // Forgets the results: every pane stops counting as a hit.
    void reset();

    QString status() const { return m_status; }

signals:
    void statusChanged(const QString &status);
    void progressChanged(int value, int maximum);
    void resultsChanged();

private:
    void setStatus(const QString &status);

    BrowserGrid &m_grid;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    QString m_text;
    QColor m_colour = QColor(0xFF, 0x00, 0xFF);
    bool m_proximate = false;
    bool m_onDownload = false;
    QString m_status = QStringLiteral("Stopped");
};
