#include "pane/pageoperations.h"

#include "core/filedialogs.h"
#include "core/safesave.h"
#include "pane/browsercontrol.h"
#include "pane/browserpane.h"
#include "pane/pagescripts.h"
#include "pane/printpreviewdialog.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

// How long the page may take to answer. A highlight walks the whole
// document, a print lays out every page.
constexpr int ScriptTimeout = 5000;
constexpr int HighlightTimeout = 20000;
constexpr int MarkupTimeout = 10000;
constexpr int PaintTimeout = 1000;
constexpr int PrintTimeout = 60000;

const QString AboutBlank = QStringLiteral("about:blank");

bool showPrintPreview(QWidget *parent, const QByteArray &pdf)
{
    PrintPreviewDialog dialog(pdf, parent ? parent->window() : nullptr);
    dialog.exec();
    return true;
}

// Marks a print under way for as long as it lasts.
class PrintingGuard
{
public:
    explicit PrintingGuard(bool &printing) : m_printing(printing) { m_printing = true; }
    ~PrintingGuard() { m_printing = false; }
    PrintingGuard(const PrintingGuard &) = delete;
    PrintingGuard &operator=(const PrintingGuard &) = delete;

private:
    bool &m_printing;
};

} // namespace

PageOperations::PageOperations(BrowserPane &pane, PaneState &state) : m_pane(pane), m_state(state)
{
}

BrowserControl *PageOperations::control() const
{
    return m_pane.control();
}

bool PageOperations::ready() const
{
    BrowserControl *c = control();
    return !m_state.closing && c && !c->busy() && c->hasDocument();
}

bool PageOperations::browserBack()
{
    if (m_state.closing || !control())
        return false;
    try {
        if (m_state.canGoBack)
            control()->goBack();
        return true;
    } catch (...) {
        return false;
    }
}

bool PageOperations::browserForward()
{
    if (m_state.closing || !control())
        return false;
    try {
        if (m_state.canGoForward)
            control()->goForward();
        return true;
    } catch (...) {
        return false;
    }
}

bool PageOperations::browserRefresh()
{
    if (m_state.closing || !control())
        return false;
    try {
        // Through a blank page: a page that keeps itself from reloading, or
        // one whose reload would post a form again, loads afresh.
        const QString address = control()->locationUrl();
        control()->stop();
        m_pane.navigateTo(AboutBlank);
        m_pane.navigateTo(address);
        return true;
    } catch (...) {
        return false;
    }
}

bool PageOperations::browserStop(int stopButtonSetting)
{
    if (m_state.closing || !control())
        return false;
    try {
        switch (stopButtonSetting) {
        case 0: // Force 'about:blank'
            m_pane.navigateTo(AboutBlank);
            break;
        case 1: // Inherited
            control()->stop();
            break;
        default:
            break;
        }
        return true;
    } catch (...) {
        return false;
    }
}

void PageOperations::refreshOnce()
{
    if (m_state.closing || m_state.refreshedThisCycle)
        return;
    m_state.refreshedThisCycle = true;
    browserRefresh();
}

bool PageOperations::browserPrint(const PrintPreview &preview)
{
    // A second press while the first print is being made or shown is
    // refused (the caller tells the user), never queued.
    if (!ready() || m_printing)
        return false;
    try {
        BrowserPane::NestedLoop loop(m_pane);
        PrintingGuard printing(m_printing);
        // The engine prints the document once; the preview shows those
        // pages, so nothing is laid out again while the user looks.
        QByteArray pdf;
        if (!control()->printToPdf(PrintTimeout, &pdf) || m_state.closing)
            return false;
        return preview ? preview(&m_pane, pdf) : showPrintPreview(&m_pane, pdf);
    } catch (...) {
        return false;
    }
}

bool PageOperations::fillLinksList()
{
    if (!ready())
        return false;
    try {
        BrowserPane::NestedLoop loop(m_pane);
        m_linksList.clear();
        QVariant hrefs;
        if (!control()->runScript(PageScripts::source(PageScripts::Links), ScriptTimeout, &hrefs)
            || hrefs.metaType().id() != QMetaType::QVariantList)
            return false;
        for (const QVariant &href : hrefs.toList()) {
            const QString link = href.toString().toLower();
            if (link.contains(QLatin1String("http://")) || link.contains(QLatin1String("https://")))
                m_linksList << link;
        }
        std::sort(m_linksList.begin(), m_linksList.end());
        m_linksList.erase(std::unique(m_linksList.begin(), m_linksList.end()), m_linksList.end());
        return true;
    } catch (...) {
        return false;
    }
}

QString PageOperations::makePageFileName(const QString &title)
{
    const QString untitled = QStringLiteral("Untitled");
    // Blanks and control characters at either end go.
    qsizetype first = 0;
    qsizetype last = title.size();
    while (first < last && title.at(first).unicode() <= u' ')
        ++first;
    while (last > first && title.at(last - 1).unicode() <= u' ')
        --last;
    QString name = title.mid(first, last - first);
    if (name.isEmpty())
        return untitled;
    if (name.size() > 80)
        name.truncate(name.at(79).isHighSurrogate() ? 79 : 80);
    // The characters Windows refuses in a file name; "/" is the one that
    // matters here, the others keep names portable.
    static const QString forbidden = QStringLiteral("*|\\\":?/<>");
    for (QChar &c : name)
        if (forbidden.contains(c))
            c = u'-';
    const QString file = name + QStringLiteral(".txt");
    if (QFileInfo(file).fileName() != file || file.contains(QChar(0)))
        return untitled;
    return name;
}

QString PageOperations::saveSuffix(SaveKind kind)
{
    switch (kind) {
    case SaveKind::Html:
        return QStringLiteral("html");
    case SaveKind::Source:
        return QStringLiteral("txt");
    case SaveKind::Bitmap:
        return QStringLiteral("bmp");
    }
    return {};
}

bool PageOperations::savePage(const QString &initialFolder, FileDialogs &dialogs)
{
    m_saveFailure.clear();
    if (!ready())
        return false;
    try {
        BrowserPane::NestedLoop loop(m_pane);
        QString proposal = QStringLiteral("Untitled");
        QVariant title;
        if (control()->runScript(QStringLiteral("document.title"), ScriptTimeout, &title) && title.isValid())
            proposal = makePageFileName(title.toString());
        const QString address = control()->locationUrl();

        int chosen = 0;
        QString fileName = dialogs.getSaveFileName(
            QStringLiteral("Save Web Page As:"), initialFolder, proposal,
            {QStringLiteral("HTML File (*.html)"), QStringLiteral("Source File (*.txt)"),
             QStringLiteral("Bitmap File (*.bmp)")},
            QStringLiteral("html"), &chosen);
        if (fileName.isEmpty())
            return true;
        // The pane may have been closed while the dialog was open.
        if (m_state.closing || !control() || chosen < 0 || chosen > 2)
            return false;

        const auto kind = SaveKind(chosen);
        const QString suffix = saveSuffix(kind);
        if (QFileInfo(fileName).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
            fileName += QLatin1Char('.') + suffix;
        switch (kind) {
        case SaveKind::Html:
            if (!saveMarkup(fileName))
                return false;
            break;
        case SaveKind::Source:
            if (!saveSource(fileName))
                return false;
            break;
        case SaveKind::Bitmap:
            return saveBitmap(fileName);
        }
        // The saved document is shown afresh, as a reader expects after a
        // save.
        m_pane.navigateTo(address);
        return true;
    } catch (...) {
        return false;
    }
}

bool PageOperations::saveMarkup(const QString &fileName)
{
    QVariant markup;
    if (!control()->runScript(PageScripts::source(PageScripts::Markup), MarkupTimeout, &markup)
        || markup.metaType().id() != QMetaType::QString)
        return false;
    return writeFile(fileName, markup.toString().toUtf8());
}

bool PageOperations::writeFile(const QString &fileName, const QByteArray &bytes)
{
    const SafeSave::Outcome outcome = SafeSave::write(fileName, bytes);
    if (!outcome)
        m_saveFailure = SafeSave::failureMessage(QStringLiteral("the page"), fileName, outcome);
    return outcome;
}

bool PageOperations::saveSource(const QString &fileName)
{
    QString source;
    if (!control()->toHtml(MarkupTimeout, &source))
        return false;
    return writeFile(fileName, source.toUtf8());
}

bool PageOperations::setBodyOverflow(const QString &value)
{
    QVariant done;
    const QString script = QStringLiteral("document.body.style.overflowX = '%1';"
                                          "document.body.style.overflowY = '%1';"
                                          "true")
                               .arg(value);
    return control()->runScript(script, ScriptTimeout, &done) && done.toBool();
}

bool PageOperations::saveBitmap(const QString &fileName)
{
    // No scroll bars in the picture; afterwards the page keeps them shown.
    if (!setBodyOverflow(QStringLiteral("hidden")))
        return false;
    const QImage picture = control()->grabVisible(PaintTimeout);
    bool written = false;
    if (!picture.isNull()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        // 32-bit pictures are written as 24-bit bitmaps.
        QImageWriter writer(&buffer, "bmp");
        written = buffer.open(QIODevice::WriteOnly) && writer.write(picture.convertToFormat(QImage::Format_RGB32))
                  && writeFile(fileName, bytes);
    }
    if (control())
        setBodyOverflow(QStringLiteral("scroll"));
    return written;
}

QString PageOperations::colourText(const QColor &colour)
{
    return QString::asprintf("#%02X%02X%02X", colour.red(), colour.green(), colour.blue());
}

void PageOperations::highlightText(const QString &text, const QString &colourText, bool wholeWord)
{
    if (!ready() || text == m_state.highlightedText)
        return;
    runHighlight(text, colourText, wholeWord);
}

void PageOperations::highlightSearchText(const QString &text, const QColor &colour, bool wholeWord)
{
    if (!ready())
        return;
    runHighlight(text, colourText(colour), wholeWord);
}

void PageOperations::runHighlight(const QString &text, const QString &colourText, bool wholeWord)
{
    try {
        BrowserPane::NestedLoop loop(m_pane);
        m_state.highlightedText = text;
        const QJsonArray arguments{text, colourText, wholeWord, HighlightPassLimit};
        const QString call = PageScripts::source(PageScripts::Highlight)
                             + QStringLiteral(".apply(null, %1)")
                                   .arg(QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
        QVariant found;
        if (!control()->runScript(call, HighlightTimeout, &found) || !found.isValid()) {
            m_state.hasHighlights = false;
            return;
        }
        // Earlier highlights of another text stay in the page.
        if (found.toInt() > 0)
            m_state.hasHighlights = true;
    } catch (...) {
        m_state.hasHighlights = false;
    }
}

void PageOperations::clearHighlight()
{
    m_state.hasHighlights = false;
    m_state.highlightedText.clear();
}

PageOperations::Preview PageOperations::drawPreview(QImage &target, QSize size)
{
    try {
        if (!ready()) {
            target = m_pane.busyPicture();
            return Preview::Busy;
        }
        BrowserPane::NestedLoop loop(m_pane);
        const QImage page = control()->grabVisible(PaintTimeout);
        if (page.isNull() || size.isEmpty())
            return Preview::Unchanged;
        target = page.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
        return Preview::Page;
    } catch (...) {
        return Preview::Unchanged;
    }
}

bool PageOperations::zoomBrowser()
{
    if (!ready())
        return false;
    try {
        m_state.zoomStep += 1;
        if (m_state.zoomStep > 5 || m_state.zoomStep < 1)
            m_state.zoomStep = 1;
        return control()->setZoomFactor(ZoomFactors[m_state.zoomStep - 1]);
    } catch (...) {
        return false;
    }
}

bool PageOperations::scrollBrowser(int dx, int dy)
{
    if (m_state.closing || !control())
        return false;
    try {
        BrowserPane::NestedLoop loop(m_pane);
        QVariant done;
        return control()->runScript(QStringLiteral("window.scrollBy(%1, %2); true").arg(dx).arg(dy), ScriptTimeout,
                                    &done)
               && done.toBool();
    } catch (...) {
        return false;
    }
}
