#include "output/notebook_pages.h"

#include "output/pdf_page.h"
#include "output/pdf_pages.h"
#include "render/page_scale.h"

PageDesign notebookPageDesign(const PageDesign& first, int page) {
    PageDesign design = first;
    design.pageNumber = first.pageNumber + page;
    return design;
}

Failure writeNotebookFile(const OutputFormat& format, const QString& path, const PageToDraw& first,
                          int pageCount, const NotebookProgress& progress) {
    if (!format.manyPages())
        return Failure::because(QStringLiteral("only a PDF file holds more than one page."));
    if (Failure refusal = pageFileRefusal(format, path, first.scale); refusal.failed())
        return refusal;
    return writePdfPages(format.pdfLayout(first.scale), path, pageCount,
                         [&](QPainter& painter, int page) {
                             const PageDesign design = notebookPageDesign(first.design, page);
                             format.drawOnPdf(painter, {first.scale, design, first.layers});
                             if (progress)
                                 progress(page + 1, pageCount);
                         });
}
