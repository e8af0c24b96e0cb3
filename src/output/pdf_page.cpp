#include "output/pdf_page.h"

#include "output/paged_page.h"
#include "output/pdf_page_size.h"
#include "output/whole_file.h"
#include "render/page_scale.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

void setUpPdfWriter(QPdfWriter& writer, const PdfPageSize& size, int dotsPerInch) {
    writer.setCreator(QStringLiteral("Lineavo-Pressolo"));
    writer.setResolution(dotsPerInch);
    writer.setPageSize(QPageSize(size.wholePoints, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

std::optional<QString> writeOnePagePdf(const PageScale& scale, const QString& path,
                                       const PageDrawn& drawn,
                                       const std::function<void(QPainter&)>& draw) {
    const int dotsPerInch = scale.DotsPerInch;
    const PdfPageSize size =
        pdfPageSize(QSize(scale.SurfaceWidth, scale.SurfaceHeight), dotsPerInch);
    // The page is small beside the pixels of a raster page; it is finished in memory, so that
    // its size can be set right before it replaces any file.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        setUpPdfWriter(writer, size, dotsPerInch);
        QPainter painter;
        if (!painter.begin(&writer))
            return kPdfNotStartedMessage;
        draw(painter);
        painter.end();
    }
    if (drawn)
        drawn();
    if (auto error = giveExactMediaBox(pdf, size))
        return error;
    return writeWholeFile(path, pdf);
}

std::optional<QString> writePdfPage(const PageToDraw& page, const QString& path,
                                    const PageDrawn& drawn) {
    return writeOnePagePdf(page.scale, path, drawn,
                           [&](QPainter& painter) { drawExactPdfPage(painter, page); });
}

void drawExactPdfPage(QPainter& painter, const PageToDraw& page) {
    drawPageOnPagedDevice(painter, page);
}
