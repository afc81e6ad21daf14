#include "pane/pageoperations.h"

#include "app/filedialogs.h"
#include "pane/browsercontrol.h"
#include "pane/browserpane.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

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

// Highlights the occurrences of a text in the body, as a reader finds them
// one after the other: case-blind, across inline markup (<b>, <a>, ...) but
// never from one block or line into the next. Each occurrence, or with the
// whole-word flag the words it touches, is wrapped in a span with the
// background colour; the search goes on behind it, for at most the given
// number of passes. The spans are put in from the last to the first, so the
// text positions found before still point at the same nodes. Returns the
// number of occurrences found.
const char HighlightScript[] = R"JS(
(function (needle, colour, wholeWord, passLimit) {
  var body = document.body;
  if (!body || !needle) return 0;
  var skipped = /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|SELECT|OPTION|TEMPLATE|IFRAME|OBJECT|svg|math)$/;
  var inline = /^(A|ABBR|B|BDI|BDO|CITE|CODE|DATA|DFN|EM|FONT|I|KBD|LABEL|MARK|Q|S|SAMP|SMALL|SPAN|STRIKE|STRONG|SUB|SUP|TIME|TT|U|VAR)$/;
  var wordChar = /[\p{L}\p{M}\p{N}_]/u;
  var gap = '\u0000';
  function blockOf(node) {
    var p = node.parentNode;
    while (p && p !== body && inline.test(p.nodeName)) p = p.parentNode;
    return p;
  }
  function fold(s) {
    var lower = s.toLowerCase();
    if (lower.length === s.length) return lower;
    var out = '';
    for (var i = 0; i < s.length; ++i) {
      var c = s[i].toLowerCase();
      out += c.length === 1 ? c : s[i];
    }
    return out;
  }
  var nodes = [], starts = [], text = '', lastBlock = null, broken = false;
  var walker = document.createTreeWalker(body, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode: function (n) {
      if (n.nodeType === Node.TEXT_NODE) return NodeFilter.FILTER_ACCEPT;
      if (skipped.test(n.nodeName)) return NodeFilter.FILTER_REJECT;
      if (!inline.test(n.nodeName)) broken = true;
      return NodeFilter.FILTER_SKIP;
    }
  });
  for (var n = walker.nextNode(); n; n = walker.nextNode()) {
    if (!n.data.length) continue;
    var block = blockOf(n);
    if (text.length && (broken || block !== lastBlock)) text += gap;
    broken = false;
    lastBlock = block;
    nodes.push(n);
    starts.push(text.length);
    text += n.data;
  }
  var folded = fold(text), key = fold(needle);
  var found = [], from = 0;
  while (found.length < passLimit) {
    var at = folded.indexOf(key, from);
    if (at < 0) break;
    var start = at, end = at + key.length;
    if (wholeWord) {
      while (start > 0 && wordChar.test(text[start - 1])) --start;
      while (end < text.length && wordChar.test(text[end])) ++end;
    }
    found.push([start, end]);
    from = end;
  }
  // The text node holding a position: for a start the one it begins in,
  // for an end the one it closes.
  function locate(offset, isEnd) {
    var lo = 0, hi = nodes.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (isEnd ? starts[mid] < offset : starts[mid] <= offset) lo = mid; else hi = mid - 1;
    }
    return [nodes[lo], offset - starts[lo]];
  }
  for (var i = found.length - 1; i >= 0; --i) {
    try {
      var a = locate(found[i][0], false), b = locate(found[i][1], true);
      var range = document.createRange();
      range.setStart(a[0], a[1]);
      range.setEnd(b[0], b[1]);
      var span = document.createElement('span');
      span.setAttribute('style', 'background-color: ' + colour);
      span.appendChild(range.extractContents());
      range.insertNode(span);
    } catch (e) {
      // One occurrence that cannot be wrapped leaves the others.
    }
  }
  window.scrollTo(0, 0);
  return found.length;
})
)JS";

// The href of every <a> of the document, as the browser resolved it.
const char LinksScript[] = R"JS(
(function () {
  var links = document.getElementsByTagName('a'), hrefs = [];
  for (var i = 0; i < links.length; ++i) {
    var href = links[i].href;
    if (typeof href === 'string') hrefs.push(href);
  }
  return hrefs;
})()
)JS";

// The document as it stands now (highlights included), declared UTF-8
// since the file is written in UTF-8 whatever the page came in.
const char MarkupScript[] = R"JS(
(function () {
  var root = document.documentElement.cloneNode(true);
  var metas = root.querySelectorAll('meta[charset], meta[http-equiv]');
  for (var i = 0; i < metas.length; ++i) {
    var m = metas[i];
    if (m.hasAttribute('charset') || (m.getAttribute('http-equiv') || '').toLowerCase() === 'content-type')
      m.parentNode.removeChild(m);
  }
  var head = root.querySelector(':scope > head');
  if (head) {
    var meta = document.createElement('meta');
    meta.setAttribute('charset', 'utf-8');
    head.insertBefore(meta, head.firstChild);
  }
  var type = document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\n' : '';
  return type + root.outerHTML;
})()
)JS";

bool showPrintPreview(QWidget *parent, const std::function<bool(QPrinter *)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent ? parent->window() : nullptr);
    bool painted = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        if (!paint(target))
            painted = false;
    });
    dialog.exec();
    return painted;
}

bool writeFile(const QString &fileName, const QByteArray &data)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

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
    if (!ready())
        return false;
    try {
        const auto paint = [this](QPrinter *printer) {
            BrowserControl *c = control();
            return !m_state.closing && c && c->print(printer, PrintTimeout);
        };
        return preview ? preview(&m_pane, paint) : showPrintPreview(&m_pane, paint);
    } catch (...) {
        return false;
    }
}

bool PageOperations::fillLinksList()
{
    if (!ready())
        return false;
    try {
        m_linksList.clear();
        QVariant hrefs;
        if (!control()->runScript(QString::fromUtf8(LinksScript), ScriptTimeout, &hrefs)
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
    if (!ready())
        return false;
    try {
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
    if (!control()->runScript(QString::fromUtf8(MarkupScript), MarkupTimeout, &markup)
        || markup.metaType().id() != QMetaType::QString)
        return false;
    return writeFile(fileName, markup.toString().toUtf8());
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
        QSaveFile file(fileName);
        // 32-bit pictures are written as 24-bit bitmaps.
        QImageWriter writer(&file, "bmp");
        written = file.open(QIODevice::WriteOnly) && writer.write(picture.convertToFormat(QImage::Format_RGB32))
                  && file.commit();
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
        m_state.highlightedText = text;
        const QJsonArray arguments{text, colourText, wholeWord, HighlightPassLimit};
        const QString call = QString::fromUtf8(HighlightScript).trimmed()
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
        QVariant done;
        return control()->runScript(QStringLiteral("window.scrollBy(%1, %2); true").arg(dx).arg(dy), ScriptTimeout,
                                    &done)
               && done.toBool();
    } catch (...) {
        return false;
    }
}
