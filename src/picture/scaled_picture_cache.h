#pragma once

#include "picture/picture_record.h"

#include <QImage>

// A picture stretched to one size, kept for as long as the same picture is wanted at the same
// size: the preview paints many rectangles at one zoom and a page repeats one tile, and each
// should not stretch the picture again. A reloaded picture or a new size makes a new copy.
class ScaledPictureCache {
  public:
    // `dib` stretched to `size` as DrawDib draws it, or a null image when the copy would be
    // too large to keep (a high zoom); the caller then draws the picture directly.
    const QImage& scaled(const PictureRecord& dib, QSize size);

  private:
    qint64 m_pictureKey = 0;
    QSize m_size;
    QImage m_pixels;
};
