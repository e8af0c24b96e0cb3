#pragma once

#include <QImage>

#include <vector>

// Pictures reach a printer or a PDF in bands of whole rows. The PDF engine turns each image it
// is given into copies of several bytes a pixel (true colour, a mask, the compressed stream)
// and holds them all at once; bands keep those copies small however large the picture.
//
// Rows of a band of a picture `width` pixels wide: at least one, and at most as many as keep
// the engine's 32-bit copy of the band to a few megabytes.
int rowsPerBand(qint64 width);

// `image` cut into bands of rows from the top, which share its pixels rather than copy them:
// they are valid only while `image` lives. An image that fits in one band is itself that band,
// so that a printer that keeps pictures it has seen recognises it when it comes again.
std::vector<QImage> imageBands(const QImage& image);
