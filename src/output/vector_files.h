#pragma once

#include "base/failure.h"
#include "output/page_to_draw.h"

#include <QString>

class QPainter;

// Each writes `page` as vector graphics of its printable area, replacing any file at `path`
// only when the new one is complete, and returns the reason of a failure.
Failure writeSvgPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn);
Failure writeVectorPdfPage(const PageToDraw& page, const QString& path, const PageDrawn& drawn);

// Draws `page` as vector graphics on a PDF writer.
void drawVectorPdfPage(QPainter& painter, const PageToDraw& page);
