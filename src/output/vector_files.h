#pragma once

#include "output/page_to_draw.h"

#include <QString>

#include <optional>

// Each writes `page` as vector graphics of its printable area, replacing any file at `path`
// only when the new one is complete, and returns the reason of a failure.
std::optional<QString> writeSvgPage(const PageToDraw& page, const QString& path,
                                    const PageDrawn& drawn);
std::optional<QString> writeVectorPdfPage(const PageToDraw& page, const QString& path,
                                          const PageDrawn& drawn);
