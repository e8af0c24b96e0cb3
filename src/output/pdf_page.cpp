#include "output/pdf_page.h"

#include "document/safe_file_writer.h"
#include "output/paged_page.h"
#include "output/pdf_page_size.h"
#include "render/page_scale.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes) {
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    file.device().write(bytes); // a short write is found by the commit
    return file.commit();
}

} // namespace

std::optional<QString> writePdfPage(const PageToDraw& page, const QString& path,
                                    const PageDrawn& drawn) {
    const int dotsPerInch = page.scale.DotsPerInch;
    const PdfPageSize size =
        pdfPageSize(QSize(page.scale.SurfaceWidth, page.scale.SurfaceHeight), dotsPerInch);
    // The page is small beside the pixels of a raster page; it is finished in memory, so that
    // its size can be set right before it replaces any file.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lineavo-Pressolo"));
        writer.setResolution(dotsPerInch);
        writer.setPageSize(QPageSize(size.wholePoints, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("Could not start the PDF.");
        drawPageOnPagedDevice(painter, page);
        painter.end();
    }
    if (drawn)
        drawn();
    if (auto error = giveExactMediaBox(pdf, size))
        return error;
    return writeWhole(path, pdf);
}
