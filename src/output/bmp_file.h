#pragma once

#include <QByteArray>
#include <QRgb>
#include <QSize>

// An uncompressed 24-bit BMP: a header, then the rows from the bottom up, each B, G, R for
// every pixel and padded with zeros to a whole number of 4-byte words.

// Bytes of a row of a page `width` pixels wide.
qsizetype bmpRowBytes(int width);
// The file and picture headers of a page of `size` pixels that says its resolution.
QByteArray bmpHeader(QSize size, int dotsPerMetre);
// Writes `width` RGB32 `pixels` as a row of the file into `row`, bmpRowBytes(width) long.
void toBmpRow(const QRgb* pixels, int width, char* row);
