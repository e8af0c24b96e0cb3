#include "output/pdf_page.h"

#include "output/paged_page.h"
#include "output/paper_sizes.h"
#include "output/pdf_page_size.h"
#include "output/vector_page.h"
#include "output/vector_pdf_stream.h"
#include "output/whole_file.h"
#include "render/page_scale.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

PdfLayout exactPdfLayout(const PageScale& scale) {
    return {pdfPageSize(QSize(scale.SurfaceWidth, scale.SurfaceHeight), scale.DotsPerInch),
            scale.DotsPerInch, false};
}

PdfLayout vectorPdfLayout(const PageScale& scale) {
    PdfLayout layout = exactPdfLayout(scale);
    if (const std::optional<QSize> paper = paperOfPage(scale))
        layout.size = pdfPageOfPoints(paperPoints(*paper));
    layout.size.boxAtOrigin = true;
    layout.vector = true;
    return layout;
}

void setUpPdfWriter(QPdfWriter& writer, const PdfLayout& layout) {
    writer.setCreator(QStringLiteral("Lineavo-Pressolo"));
    writer.setResolution(layout.dotsPerInch);
    writer.setPageSize(QPageSize(layout.size.wholePoints, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void startPdfPage(QPainter& painter, const PdfLayout& layout) {
    if (const double drop = layout.size.dropPoints(); drop > 0)
        painter.translate(0, drop * layout.dotsPerInch / kPointsPerInch);
}

QByteArray finishedPdf(const QByteArray& pdf, const PdfLayout& layout) {
    if (!layout.vector)
        return pdf;
    QByteArray finished;
    QBuffer buffer(&finished);
    buffer.open(QIODevice::WriteOnly);
    VectorPdfStream stream(buffer);
    stream.write(pdf);
    stream.finish();
    return finished;
}

Failure writeOnePagePdf(const PdfLayout& layout, const QString& path, const PageDrawn& drawn,
                        const std::function<void(QPainter&)>& draw) {
    const PdfPageSize& size = layout.size;
    // The page is small beside the pixels of a raster page; it is finished in memory, so that
    // its size can be set right before it replaces any file.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        setUpPdfWriter(writer, layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return Failure::because(kPdfNotStartedMessage);
        startPdfPage(painter, layout);
        draw(painter);
        painter.end();
    }
    if (drawn)
        drawn();
    if (Failure error = giveExactMediaBox(pdf, size); error.failed())
        return error;
    return writeWholeFile(path, finishedPdf(pdf, layout));
}

Failure writePdfPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn) {
    return writeOnePagePdf(exactPdfLayout(page.scale), path, drawn,
                           [&](QPainter& painter) { drawExactPdfPage(painter, page); });
}

void drawExactPdfPage(QPainter& painter, const PageToDraw& page) {
    drawPageOnPagedDevice(painter, page);
}
