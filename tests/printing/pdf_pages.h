#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// What a PDF holds, as poppler's tools read it: what reached the paper, turned back into
// pixels without smoothing, so that every edge lies on the pixel the printer would set.

// A field of the document information ("Title", "Pages", ...); empty when pdfinfo fails.
QString pdfInfoField(const QString& pdfPath, const QString& key);

// How many pictures the PDF holds (pdfimages -list); -1 when pdfimages fails.
int pdfImageCount(const QString& pdfPath);

// Page `page` (from 1) at `dotsPerInch`, or the `crop` rectangle of it in pixels. A null image
// when pdftoppm fails.
QImage rasterisePdfPage(const QString& pdfPath, int page, int dotsPerInch,
                        const QRect& crop = QRect());

// The largest difference of one colour channel between two pictures of the same size.
int largestChannelDifference(const QImage& a, const QImage& b);
