#pragma once

#include "render/page_scale.h"
#include "render/surface.h"

#include <QImage>

class PaperSettings;

// The ruling of a page written out plainly, pixel by pixel, to check the renderer against: no
// batching, no shared helpers, just the steps and the pixel rules as the user sees them.
struct ReferenceBackground {
    PenMode lineMode = PenMode::Copy;
    // Filled over the whole page before the lines; then `patch` over the page rectangle
    // `patchArea`. A plain white page when both are white.
    QRgb fill = 0xffffff;
    QRect patchArea;
    QRgb patch = 0xffffff;
};

QImage referencePage(const PaperSettings& settings, const PageScale& scale,
                     const ReferenceBackground& background = {});
