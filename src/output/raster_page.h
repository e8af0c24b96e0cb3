#pragma once

#include "output/page_to_draw.h"

#include <QImage>
#include <QString>

#include <optional>

// The whole page as a 32-bit image.
QImage drawRasterPage(const PageToDraw& page);

// Writes `page` as a picture file of `format` ("png", or "bmp": uncompressed 24-bit) that says
// its resolution, replacing any file at `path` only when the new one is complete. Returns the
// reason of a failure.
std::optional<QString> writeRasterPage(QImage page, const QString& path, const char* format,
                                       int dotsPerInch);
