#include "output/vector_files.h"

#include "output/pdf_page.h"
#include "output/pdf_vector_canvas.h"
#include "output/svg_canvas.h"
#include "output/vector_marks.h"
#include "output/vector_page.h"
#include "output/whole_file.h"
#include "render/page_scale.h"

Failure writeSvgPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn) {
    SvgCanvas canvas(vectorSheetPoints(page.scale), VectorPlacement(page.scale).fromPixels(1));
    drawVectorPage(canvas, page);
    const QByteArray svg = canvas.finish();
    if (drawn)
        drawn();
    return writeWholeFile(path, svg);
}

Failure writeVectorPdfPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn) {
    return writeOnePagePdf(vectorPdfLayout(page.scale), path, drawn,
                           [&](QPainter& painter) { drawVectorPdfPage(painter, page); });
}

void drawVectorPdfPage(QPainter& painter, const PageToDraw& page) {
    PdfVectorCanvas canvas(painter, page.scale.DotsPerInch);
    drawVectorPage(canvas, page);
}
