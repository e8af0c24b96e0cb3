#include "output/pdf_pages.h"

#include "base/safe_file_writer.h"
#include "output/media_box_stream.h"
#include "output/pdf_page.h"
#include "output/pdf_page_size.h"
#include "render/page_scale.h"

#include <QPainter>
#include <QPdfWriter>

std::optional<QString> writePdfPages(const PageScale& scale, const QString& path, int pageCount,
                                     const std::function<void(QPainter&, int page)>& draw) {
    const int dotsPerInch = scale.DotsPerInch;
    const PdfPageSize size =
        pdfPageSize(QSize(scale.SurfaceWidth, scale.SurfaceHeight), dotsPerInch);
    QByteArray written;
    QByteArray exact;
    if (!size.isWhole()) {
        const std::optional<QByteArray> cut = exactMediaBox(size);
        if (!cut)
            return kNoExactPageSizeMessage;
        written = mediaBoxAsWritten(size);
        exact = *cut;
    }
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    MediaBoxStream stream(file.device(), written, exact);
    {
        QPdfWriter writer(&stream);
        setUpPdfWriter(writer, size, dotsPerInch);
        QPainter painter;
        if (!painter.begin(&writer))
            return kPdfNotStartedMessage;
        // A full disk stops the pages at once rather than after drawing all of them.
        for (int page = 0; page < pageCount && !stream.failed(); ++page) {
            if (page > 0) {
                writer.newPage();
                // A page may leave a scale or a clip behind; the next starts without. The first
                // page is left alone, so that a notebook of one page is the single page.
                painter.resetTransform();
                painter.setClipping(false);
            }
            draw(painter, page);
        }
        painter.end();
    }
    stream.finish();
    // A write that failed is the commit's to report.
    if (!stream.failed() && !written.isEmpty() && stream.boxesCut() != pageCount)
        return kNoPageSizeMessage;
    return file.commit();
}
