#include "pane/printpreviewdialog.h"

#include "core/safesave.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

PrintPreviewDialog::PrintPreviewDialog(const QByteArray &pdf, QWidget *parent)
    : QDialog(parent), m_pdf(pdf), m_document(new QPdfDocument(this)), m_view(new QPdfView(this)),
      m_laPage(new QLabel(this)), m_btnPrint(new QPushButton(tr("Print..."), this))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(tr("Print preview"));
    resize(640, 760);
    m_buffer.setData(m_pdf);
    m_buffer.open(QIODevice::ReadOnly);
    m_document->load(&m_buffer);

    m_view->setObjectName(QStringLiteral("pvPages"));
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_laPage->setObjectName(QStringLiteral("laPreviewPage"));
    m_btnPrint->setObjectName(QStringLiteral("btnPreviewPrint"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnPreviewClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_laPage, 1);
    buttons->addWidget(m_btnPrint);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_btnPrint, &QPushButton::clicked, this, &PrintPreviewDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &PrintPreviewDialog::showPage);
    connect(m_document, &QPdfDocument::pageCountChanged, this, [this] { showPage(m_view->pageNavigator()->currentPage()); });
    showPage(0);
}

PrintPreviewDialog::~PrintPreviewDialog()
{
    // The document reads from the buffer until it is closed.
    m_document->close();
}

QString PrintPreviewDialog::pageText() const
{
    return m_laPage->text();
}

void PrintPreviewDialog::showPage(int page)
{
    const int count = m_document->pageCount();
    m_laPage->setText(count > 0 ? tr("Page %1 of %2").arg(page + 1).arg(count) : QString());
    m_btnPrint->setEnabled(count > 0);
}

void PrintPreviewDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_document->pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // "Print to file" as PDF of every page: the engine's own pages, as they are.
    const bool wholeDocument = printer.printRange() == QPrinter::AllPages;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && wholeDocument) {
        const QString failure = savePdf(printer.outputFileName());
        if (!failure.isEmpty())
            QMessageBox::warning(this, windowTitle(), failure);
        return;
    }
    printDocument(*m_document, printer, wholeDocument ? 0 : printer.fromPage(), wholeDocument ? 0 : printer.toPage());
}

QString PrintPreviewDialog::savePdf(const QString &path) const
{
    const SafeSave::Outcome outcome = SafeSave::write(path, m_pdf);
    return outcome ? QString() : SafeSave::failureMessage(tr("the PDF"), path, outcome);
}

bool PrintPreviewDialog::printDocument(QPdfDocument &document, QPrinter &printer, int fromPage, int toPage,
                                       int maxDpi)
{
    const int count = document.pageCount();
    const int first = fromPage > 0 ? fromPage - 1 : 0;
    const int last = toPage > 0 ? qMin(toPage, count) - 1 : count - 1;
    if (count < 1 || first > last)
        return false;
    // The engine's pages carry their own margins: they fill the paper.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int dpi = qMin(printer.resolution(), maxDpi);
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            return false;
        // One page at a time: the picture is freed before the next is made.
        const QSizeF points = document.pagePointSize(page);
        const QImage picture = document.render(page, (points * dpi / 72.0).toSize());
        const QRect target = painter.viewport();
        const QSize fitted = picture.size().scaled(target.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(target.topLeft(), fitted), picture);
    }
    return painter.end();
}
