#pragma once

#include "picture/dib_device.h"
#include "picture/picture_record.h"

#include <QImage>

#include <functional>

// Where the pixels of a stretched picture come from: the source column of destination column
// i and the source row (counted from the top) of destination row r. A column or row outside
// the picture gives black.
struct DibSampling {
    std::function<qint64(qint64 i)> column;
    std::function<qint64(qint64 r)> row;
};

// The rule of every stretch, so that preview, print and renders agree: destination pixel
// (i, r) takes source column SrcX + SrcWidth * i div DestWidth and source row
// SrcHeight * r div DestHeight from the top of the source rectangle (`source` counts its rows
// from the bottom, as DrawDib's callers do).
DibSampling stretchSampling(const PictureRecord& dib, const DibRect& dest, const DibRect& source);

// Samples the rows of `part` (device pixels inside `dest`) one at a time into a single row
// buffer, with one column table for the call, and hands each to `deliver` with its device row. A
// source row that serves several destination rows in a row is read once.
void sampleRows(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                const DibSampling& sampling,
                const std::function<void(int deviceY, const QImage& row)>& deliver);

// The rows of `part` (device pixels inside `dest`, which has the picture's own size) written
// straight into `target`, whose top-left pixel is device pixel `origin`: the pixels sampleRows
// gives at 100 %, with no row buffer between.
void copyRowsOneToOne(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                      QImage& target, QPoint origin);

// Samples `part` as above and hands it on in bands of whole rows, each a few megabytes at
// most, so that a page-sized part never exists at once. Stops at the first band `deliver`
// refuses and returns false then.
bool sampleBands(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                 const DibSampling& sampling,
                 const std::function<bool(QPoint at, const QImage& band)>& deliver);

// The device pixels of `dest` that `clip` lets through, or an empty rectangle.
QRect visiblePart(const DibRect& dest, const QRect& clip);

// The picture as at most 256 colours for a display that shows no more: an ordered dither to
// a cube of 6 x 6 x 6 colours.
PictureRecord halftoned(const PictureRecord& dib);
// The whole picture stretched to `size` by the sampling rule, at its own depth's colours, as
// a 24-bit picture.
PictureRecord resized(const PictureRecord& dib, QSize size);
