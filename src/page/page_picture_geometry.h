#pragma once

#include "picture/dib_device.h"
#include "settings/page_design.h"

struct PageScale;
class PictureRecord;

// Where the texture's tiles and the placed picture lie on a page, in surface pixels. Lengths
// convert with the horizontal scale, heights and the picture's y too: stored designs print so.

struct PixelSize {
    qint64 width = 0;
    qint64 height = 0;

    bool operator==(const PixelSize&) const = default;
};

// The largest box of the picture's proportions inside `box`, at the same top-left corner
// (truncating divisions). A picture without pixels gives an empty box.
PixelSize aspectFit(PixelSize box, qint64 dibWidth, qint64 dibHeight);

// One tile of the texture; the tiling starts at the surface's top-left corner.
PixelSize textureTileSize(const PageScale& scale, const PageDesign::Texture& design,
                          const PictureRecord& texture);

// The placed picture's box, at its corner after the fit; the calibration's left distance does
// not move it.
DibRect placedPictureRect(const PageScale& scale, const PageDesign::Picture& design,
                          const PictureRecord& picture);
