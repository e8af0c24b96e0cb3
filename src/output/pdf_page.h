#pragma once

#include "base/failure.h"
#include "output/page_to_draw.h"
#include "output/pdf_page_size.h"

#include <QString>

#include <functional>

class QPainter;
class QPdfWriter;
struct PageScale;

// How the pages of a PDF are laid out, and whether they hold vector graphics: the colours and
// fonts of those are written over for print shops once the writer is done.
struct PdfLayout {
    PdfPageSize size;
    int dotsPerInch = 0;
    bool vector = false;
};

// The exact PDF's pages: the printable area of `scale` in its pixels.
PdfLayout exactPdfLayout(const PageScale& scale);
// A vector page has the exact size of the named paper it was drawn for, whatever its
// resolution; any other has the size of its pixels.
PdfLayout vectorPdfLayout(const PageScale& scale);

inline const QString kPdfNotStartedMessage = QStringLiteral("Could not start the PDF.");

// Sets `writer` up for pages of `layout`, without margins.
void setUpPdfWriter(QPdfWriter& writer, const PdfLayout& layout);
// Sets a page's painter up to draw in device pixels from the top left of its box.
void startPdfPage(QPainter& painter, const PdfLayout& layout);
// The PDF as a print shop takes it: for a vector one, greys written as grey and font subsets
// named as such.
QByteArray finishedPdf(const QByteArray& pdf, const PdfLayout& layout);

// Draws `page` on a PDF writer as the exact PDF has it: its pixels at its resolution.
void drawExactPdfPage(QPainter& painter, const PageToDraw& page);

// Writes `page` as a one-page PDF of exactly its pixels at its resolution, replacing any file
// at `path` only when the new one is complete. Returns the reason of a failure.
Failure writePdfPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn);

// Writes a one-page PDF of `layout`, drawn by `draw` with a painter in device pixels from the
// page's top left, replacing any file at `path` only when the new one is complete. Returns the
// reason of a failure.
Failure writeOnePagePdf(const PdfLayout& layout, const QString& path, const PageDrawn& drawn,
                        const std::function<void(QPainter&)>& draw);
