#pragma once

#include <QImage>
#include <QSize>

// An RGB32 image of `size` for a whole page, its pixels not yet written; null when the memory
// cannot be had, as QImage itself gives. A page of many megabytes is advised into huge pages
// where the kernel offers them, so that writing it the first time takes a few hundred page
// faults instead of tens of thousands.
QImage newPageImage(QSize size);
