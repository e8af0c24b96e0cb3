#pragma once

#include "base/failure.h"

#include <QString>

#include <functional>

class QPainter;
struct PdfLayout;

// Writes `pageCount` pages of `layout` into one PDF, `draw` drawing page
// `page` (from 0) with a painter in device pixels from the page's top left. Each page is drawn
// and goes to the disk before the next is begun, into a file beside `path` that replaces any
// file there only when it is complete. Returns the reason of a failure.
Failure writePdfPages(const PdfLayout& layout, const QString& path, int pageCount,
                      const std::function<void(QPainter&, int page)>& draw);
