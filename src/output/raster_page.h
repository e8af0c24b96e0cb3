#pragma once

#include "output/page_to_draw.h"
#include "output/png_encoder.h"

#include <QImage>
#include <QString>

#include <optional>

// The whole page as a 32-bit image.
QImage drawRasterPage(const PageToDraw& page);

// Each writes the RGB32 `page` as a picture file that says its resolution, replacing any file
// at `path` only when the new one is complete, and returns the reason of a failure.
std::optional<QString> writePngPage(const QImage& page, const QString& path, int dotsPerInch,
                                    PngCompression compression = PngCompression::Fast,
                                    PngColours colours = PngColours::Rgb);
// Uncompressed 24-bit, converted a row at a time: the page is not held twice.
std::optional<QString> writeBmpPage(QImage page, const QString& path, int dotsPerInch);
