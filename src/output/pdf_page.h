#pragma once

#include "output/page_to_draw.h"

#include <QString>

#include <optional>

// Writes `page` as a one-page PDF of exactly its pixels at its resolution, replacing any file
// at `path` only when the new one is complete. Returns the reason of a failure.
std::optional<QString> writePdfPage(const PageToDraw& page, const QString& path,
                                    const PageDrawn& drawn);
