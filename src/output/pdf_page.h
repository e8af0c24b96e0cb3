#pragma once

#include "output/page_to_draw.h"

#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QPdfWriter;
struct PageScale;
struct PdfPageSize;

inline const QString kPdfNotStartedMessage = QStringLiteral("Could not start the PDF.");

// Sets `writer` up for pages of `size.wholePoints` at `dotsPerInch`, without margins.
void setUpPdfWriter(QPdfWriter& writer, const PdfPageSize& size, int dotsPerInch);

// Draws `page` on a PDF writer as the exact PDF has it: its pixels at its resolution.
void drawExactPdfPage(QPainter& painter, const PageToDraw& page);

// Writes `page` as a one-page PDF of exactly its pixels at its resolution, replacing any file
// at `path` only when the new one is complete. Returns the reason of a failure.
std::optional<QString> writePdfPage(const PageToDraw& page, const QString& path,
                                    const PageDrawn& drawn);

// Writes a one-page PDF of the printable area of `scale`, drawn by `draw` with a painter in
// device pixels from the page's top left, replacing any file at `path` only when the new one
// is complete. Returns the reason of a failure.
std::optional<QString> writeOnePagePdf(const PageScale& scale, const QString& path,
                                       const PageDrawn& drawn,
                                       const std::function<void(QPainter&)>& draw);
