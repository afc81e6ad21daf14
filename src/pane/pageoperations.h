#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class BrowserControl;
class BrowserPane;
class FileDialogs;
class QWidget;

// The fields of a pane that its page operations read and write.
struct PaneState
{
    QString highlightedText; // the search text last highlighted; empty after each navigation
    int zoomStep = 0;        // position in the zoom cycle
    bool canGoBack = false;
    bool canGoForward = false;
    bool hasHighlights = false;
    bool refreshedThisCycle = false;
    bool closing = false;
};

// The operations on the page of one browser pane: navigation commands,
// printing, the links list, saving, highlighting, the preview, zoom and
// scrolling. Each reports whether it worked and lets no error out; the
// callers show the messages.
//
// A page is ready when the pane is not closing, the control is not busy and
// it has a document; operations that need a ready page refuse otherwise.
class PageOperations
{
public:
    // Shows the print preview of the page printed as pdf. The real one is
    // the modal PrintPreviewDialog; tests look at the pages themselves.
    using PrintPreview = std::function<bool(QWidget *parent, const QByteArray &pdf)>;

    // What drawPreview put in the picture.
    enum class Preview {
        Page,     // the visible page, opaque, at the size asked for
        Busy,     // the busy picture, to be shown transparent
        Unchanged // the page is ready but could not be drawn: picture untouched
    };

    // The save dialog's choices, in the order of its filters.
    enum class SaveKind { Html, Source, Bitmap };

    static constexpr int HighlightPassLimit = 1001;
    // Zoom factor of each ZoomStep from 1 to 5.
    static constexpr double ZoomFactors[5] = {1.5, 2.0, 0.5, 0.75, 1.0};

    PageOperations(BrowserPane &pane, PaneState &state);

    bool ready() const;

    // Navigation; each reports true unless the pane is closing.
    bool browserBack();
    bool browserForward();
    // A reload that always passes through "about:blank".
    bool browserRefresh();
    // By the "stop button" setting: 0 "Force 'about:blank'", 1 the
    // control's stop, anything else nothing.
    bool browserStop(int stopButtonSetting);
    // The refresher's reload: once per cycle.
    void refreshOnce();

    // Prints the page once and shows its preview; false while a print of
    // this page is already under way.
    bool browserPrint(const PrintPreview &preview = {});
    bool printing() const { return m_printing; }

    // Every http and https link of the page, lower-cased, sorted, each once
    // (cbLinksList).
    bool fillLinksList();
    const QStringList &linksList() const { return m_linksList; }

    // Asks for a file name and kind and saves the page; true also when the
    // user cancelled.
    bool savePage(const QString &initialFolder, FileDialogs &dialogs);
    // After a failed savePage whose file could not be written: "Could not
    // save the page: <cause>. The earlier file is kept." (empty when the
    // page itself failed).
    QString saveFailure() const { return m_saveFailure; }
    // The proposed file name for a page title: "Untitled" for an empty
    // title, else its first 80 characters with every character that cannot
    // stand in a file name on Windows or here replaced by "-".
    static QString makePageFileName(const QString &title);
    // The extension a saved file of that kind gets.
    static QString saveSuffix(SaveKind kind);

    // Highlights every occurrence of text (up to HighlightPassLimit) in
    // colourText, a CSS colour; with wholeWord each highlight spreads to the
    // whole word around it. Does nothing when text is the text already
    // highlighted in this page.
    void highlightText(const QString &text, const QString &colourText, bool wholeWord);
    // The same for the search box's text, even when already highlighted.
    void highlightSearchText(const QString &text, const QColor &colour, bool wholeWord);
    // Forgets the highlights (those in the page stay until it reloads).
    void clearHighlight();
    // "#RRGGBB" with upper-case digits.
    static QString colourText(const QColor &colour);

    Preview drawPreview(QImage &target, QSize size);

    // Steps the zoom cycle on.
    bool zoomBrowser();
    bool scrollBrowser(int dx, int dy);

private:
    BrowserControl *control() const;
    void reload(const QString &address);
    void runHighlight(const QString &text, const QString &colourText, bool wholeWord);
    bool saveMarkup(const QString &fileName);
    bool saveSource(const QString &fileName);
    bool saveBitmap(const QString &fileName);
    bool writeFile(const QString &fileName, const QByteArray &bytes);
    bool setBodyOverflow(const QString &value);

    BrowserPane &m_pane;
    PaneState &m_state;
    QStringList m_linksList;
    bool m_printing = false;
    QString m_saveFailure;
};
