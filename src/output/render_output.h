#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

class PageLayers;
struct PageDesign;
struct PageScale;

// The kinds of file a page is rendered into.
enum class RenderFormat { Png, Bmp, Pdf };

// Why a page of `pixels` at `dotsPerInch` cannot be held by a file of `format`, if it cannot:
// checked before anything is drawn, so that an impossible render fails at once instead of
// after seconds and gigabytes.
std::optional<QString> renderFormatLimit(RenderFormat format, QSize pixels, int dotsPerInch);

// Write the page into `path`, replacing any file there only when the new one is complete.
// They return the reason of a failure.
std::optional<QString> writeRasterPage(QImage page, const QString& path, RenderFormat format,
                                       int dotsPerInch);
std::optional<QString> writePdfPage(const PageDesign& design, const PageScale& scale,
                                    const PageLayers& layers, int dotsPerInch, const QString& path);
