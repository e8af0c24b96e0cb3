#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>

#include <functional>

struct FreeTextFont;
struct PageScale;
struct PageDesign;
class QString;
class Surface;

// The stored free-text font as the toolkit's font: face, style, pitch, and a face that has
// the stored character set's letters. `pixelSize` is the character height (the em).
QFont freeTextQFont(const FreeTextFont& font, int pixelSize);

// The character height of the free text on a page of `scale`: its size in points, where a
// size of 0 or less counts as the default 9 points. A text taller than the page keeps its
// size: the page's top side cuts it.
int freeTextPixelSize(const PageScale& scale, const FreeTextFont& font);

// Writes `text` in the free text's font and colour, at the size it has on a page of `scale`,
// over what lies there: the top-left corner of its cell where `place` puts a cell of its size.
void writeInFreeTextFont(Surface& surface, const PageScale& scale, const FreeTextFont& font,
                         const QString& text, const std::function<QPoint(QSize cell)>& place);

// Writes the free text, if there is one, at the foot of the page: its cell's bottom on the
// bottom row, starting at `leftEdgeX`, over what lies there.
void drawFreeText(Surface& surface, const PageScale& scale, const PageDesign& design,
                  int leftEdgeX);
