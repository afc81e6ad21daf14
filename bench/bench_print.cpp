// Prints a long local page of the real main window to its print preview,
// headless, and prints how long the preview took to come up, how many pages
// it has and how much memory the program and its engine helper processes use
// before, while the preview shows, and while pages go to paper (sum of PSS).
//
//   bench_print [paragraphs] [pages to paper]

#include "benchsupport.h"

#include "app/mainwindow.h"
#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "pane/enginesetup.h"
#include "pane/pageoperations.h"
#include "pane/printpreviewdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

int main(int argc, char *argv[])
{
    const int paragraphs = argc > 1 ? qMax(1, atoi(argv[1])) : 3000;
    const int toPaper = argc > 2 ? qMax(0, atoi(argv[2])) : 10;
    EngineSetup::applyBeforeApplication();
    QApplication app(argc, argv);
    EngineSetup::chooseRendering();
    QTemporaryDir folder;
    BenchWindow bench;
    if (!bench.start())
        return 1;
    MainWindow &window = bench.window;

    QFile page(folder.filePath(QStringLiteral("long.html")));
    page.open(QIODevice::WriteOnly);
    page.write("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Long</title></head><body>");
    for (int i = 1; i <= paragraphs; ++i)
        page.write("<p>Paragraph " + QByteArray::number(i)
                   + ": a line of documentation text, long enough to wrap once on a printed page of A4.</p>");
    page.write("</body></html>");
    page.close();
    BrowserGrid *grid = window.grid();
    grid->openAddressInNewBrowser(QUrl::fromLocalFile(page.fileName()).toString(), BrowserType::btNormal);
    BrowserPane *pane = grid->activePane();
    if (!pane || !EventWait::until([&] { return pane->pages().ready(); }, 60000))
        return 1;
    EventWait::forMilliseconds(500);

    QTextStream out(stdout);
    const qint64 before = treePssKilobytes();
    QElapsedTimer clock;
    clock.start();
    qint64 previewMs = -1, previewPss = 0, paperMs = -1, paperPss = 0;
    int pages = 0;
    const bool printed = pane->pages().browserPrint([&](QWidget *parent, const QByteArray &pdf) {
        PrintPreviewDialog preview(pdf, parent);
        preview.show();
        QPdfDocument *document = preview.document();
        if (!EventWait::until([&] { return document->status() == QPdfDocument::Status::Ready; }, 60000))
            return false;
        preview.view()->grab();
        previewMs = clock.elapsed();
        pages = document->pageCount();
        previewPss = treePssKilobytes();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("paper.pdf")));
        QElapsedTimer paper;
        paper.start();
        const bool ok = toPaper == 0 || PrintPreviewDialog::printDocument(*document, printer, 1, toPaper);
        paperMs = paper.elapsed();
        paperPss = treePssKilobytes();
        return ok;
    });
    out << "print of " << paragraphs << " paragraphs: " << (printed ? "done" : "FAILED") << ", " << pages
        << " pages, preview after " << previewMs << " ms\n";
    out << "memory (PSS, all processes): " << before / 1024 << " MB before, " << previewPss / 1024
        << " MB with the preview, " << paperPss / 1024 << " MB after " << qMin(toPaper, pages)
        << " pages to paper at 300 dpi in " << paperMs << " ms\n";
    out.flush();
    window.close();
    return printed ? 0 : 1;
}
