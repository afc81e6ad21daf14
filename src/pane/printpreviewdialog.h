#pragma once

#include <QBuffer>
#include <QDialog>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QPushButton;

// The print preview of a page: the page as the engine printed it once (a
// PDF), shown a few pages at a time at screen resolution. "Print" sends it
// to a printer page by page, so memory stays bounded however long the page.
class PrintPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    PrintPreviewDialog(const QByteArray &pdf, QWidget *parent = nullptr);
    ~PrintPreviewDialog() override;

    QPdfDocument *document() const { return m_document; }
    QPdfView *view() const { return m_view; }
    // "Page n of N".
    QString pageText() const;
    // Writes the engine's PDF as it is to a file (print to a PDF file);
    // empty when it worked, else the message naming the cause.
    QString savePdf(const QString &path) const;

    // Prints pages from..to (counted from 1; 0 for "all") of the document,
    // each rendered at the printer's resolution (at most maxDpi) and drawn
    // to fill the printer's page. False when the printer refused a page.
    static bool printDocument(QPdfDocument &document, QPrinter &printer, int fromPage = 0, int toPage = 0,
                              int maxDpi = 300);

private:
    void print();
    void showPage(int page);

    QByteArray m_pdf;
    QBuffer m_buffer;
    QPdfDocument *m_document;
    QPdfView *m_view;
    QLabel *m_laPage;
    QPushButton *m_btnPrint;
};
