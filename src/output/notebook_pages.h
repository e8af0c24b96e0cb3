#pragma once

#include "base/failure.h"
#include "output/output_formats.h"
#include "settings/page_design.h"

#include <functional>

inline constexpr int kMaxNotebookPages = 10000;

// The design of page `page` (from 0) of a notebook whose first page is `first`: the pages
// differ only in their numbers, and with mirrored margins in their sides.
PageDesign notebookPageDesign(const PageDesign& first, int page);

// Told after each page is drawn: how many are, of how many.
using NotebookProgress = std::function<void(int pagesDrawn, int pageCount)>;

// Writes `pageCount` pages, `first` and the pages after it, into one file of `format`, which
// must be one that holds many pages, or says why it cannot be done. Of one page it is the same
// file as `writePageFile` writes.
Failure writeNotebookFile(const OutputFormat& format, const QString& path, const PageToDraw& first,
                          int pageCount, const NotebookProgress& progress = {});
