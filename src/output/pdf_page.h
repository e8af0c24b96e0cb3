#pragma once

#include "output/page_to_draw.h"

#include <QString>

#include <functional>
#include <optional>

class QPainter;
struct PageScale;

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
