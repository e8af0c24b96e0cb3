#pragma once

#include <QPoint>

class QFont;
class QPaintDevice;
class QPainter;
class QString;

// Text measured and written by its cell, the line box from the top of the ascent to the bottom
// of the descent, at any size: a character taller than the toolkit's font engines can measure
// (their ascent wraps round past 16383 pixels) is shaped at a size they can and scaled up.

// Well below the size at which any face's ascent wraps round: a larger text is shaped at this
// size and scaled up.
inline constexpr int kLargestShapedPixels = 8192;

// The cell's height for `font` on `device`.
int textCellHeight(const QFont& font, const QPaintDevice* device);
// How far `text` in `font` advances on `device`.
int textCellWidth(const QFont& font, const QPaintDevice* device, const QString& text);
// How far below the cell's top its baseline lies, for `font` on `device`.
int textCellAscent(const QFont& font, const QPaintDevice* device);
// Writes `text` in the painter's pen with the top-left corner of its cell at `topLeft`.
void drawTextCell(QPainter& painter, QPoint topLeft, const QFont& font, const QString& text);
