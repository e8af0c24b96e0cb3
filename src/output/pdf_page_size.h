#pragma once

#include "base/failure.h"

#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

inline constexpr int kPointsPerInch = 72;

double pixelsToPoints(int pixels, int dotsPerInch);

// A page of whole device pixels as a PDF holds it. The PDF writer sizes its pages in whole
// points, and most pixel sizes are no whole number of points: the page is drawn on the next
// whole size up, and its media box is then cut to the exact size.
// A vector page's box lies at the origin, as print shops' tools expect; its drawing is moved
// down to meet the box's top instead.
struct PdfPageSize {
    QSize wholePoints;  // the page the writer is given
    QSizeF exactPoints; // the media box the file ends up with
    bool boxAtOrigin = false;

    bool isWhole() const { return exactPoints == QSizeF(wholePoints); }
    // How far down the drawing goes for the top of its box, in points.
    double dropPoints() const {
        return boxAtOrigin ? wholePoints.height() - exactPoints.height() : 0;
    }
};

// The size for a page of `pixels` at `dotsPerInch`. A side of a whole number of points is
// exact. Otherwise it is the longest length of six decimals that stays clearly below its
// pixels: rasterisers round a page's pixels up, so a length a millionth of a point too long,
// or one that their own arithmetic takes for a hair too long, gives one pixel more.
PdfPageSize pdfPageSize(QSize pixels, int dotsPerInch);
// A page of `points`, to six decimals, its box at the origin.
PdfPageSize pdfPageOfPoints(QSizeF points);

// The media box as the writer writes it for a page of `size.wholePoints`.
QByteArray mediaBoxAsWritten(const PdfPageSize& size);
// The media box of `size.exactPoints`, at the origin or else keeping the top left corner where
// the drawing starts, padded to as many bytes as the one written, so that the offsets the file's
// index holds stay true when it is written over it; none if it would be longer.
std::optional<QByteArray> exactMediaBox(const PdfPageSize& size);

inline const QString kNoPageSizeMessage =
    QStringLiteral("Could not find the page's size in the PDF.");
inline const QString kNoExactPageSizeMessage =
    QStringLiteral("Could not give the PDF its exact page size.");

// Cuts the media box of a one-page `pdf` written at `size.wholePoints` to `size.exactPoints`,
// as `exactMediaBox` has it. Nothing is changed for a whole size.
Failure giveExactMediaBox(QByteArray& pdf, const PdfPageSize& size);
