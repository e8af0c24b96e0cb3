#include "output/pdf_pages.h"

#include "base/safe_file_writer.h"
#include "output/media_box_stream.h"
#include "output/pdf_page.h"
#include "output/pdf_page_size.h"
#include "output/vector_pdf_stream.h"

#include <QPainter>
#include <QPdfWriter>

Failure writePdfPages(const PdfLayout& layout, const QString& path, int pageCount,
                      const std::function<void(QPainter&, int page)>& draw) {
    const PdfPageSize& size = layout.size;
    QByteArray written;
    QByteArray exact;
    if (!size.isWhole()) {
        const std::optional<QByteArray> cut = exactMediaBox(size);
        if (!cut)
            return Failure::because(kNoExactPageSizeMessage);
        written = mediaBoxAsWritten(size);
        exact = *cut;
    }
    SafeFileWriter file(path);
    if (Failure error = file.open(); error.failed())
        return error;
    // A vector PDF is finished for print shops on its way to the disk, as the single page is.
    std::optional<VectorPdfStream> finishing;
    if (layout.vector)
        finishing.emplace(file.device());
    MediaBoxStream stream(finishing ? *finishing : file.device(), written, exact);
    const auto failed = [&] { return stream.failed() || (finishing && finishing->failed()); };
    {
        QPdfWriter writer(&stream);
        setUpPdfWriter(writer, layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return Failure::because(kPdfNotStartedMessage);
        startPdfPage(painter, layout);
        // A full disk stops the pages at once rather than after drawing all of them.
        for (int page = 0; page < pageCount && !failed(); ++page) {
            if (page > 0) {
                writer.newPage();
                // A page may leave a scale or a clip behind; the next starts without. The first
                // page is left alone, so that a notebook of one page is the single page.
                painter.resetTransform();
                painter.setClipping(false);
                startPdfPage(painter, layout);
            }
            draw(painter, page);
        }
        painter.end();
    }
    stream.finish();
    if (finishing)
        finishing->finish();
    // A write that failed is the commit's to report.
    if (!failed() && !written.isEmpty() && stream.boxesCut() != pageCount)
        return Failure::because(kNoPageSizeMessage);
    return file.commit();
}
