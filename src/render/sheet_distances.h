#pragma once

#include "render/page_scale.h"
#include "settings/page_design.h"

// The design with its top and bottom margins measured from the sheet's edges rather than from
// the printable area's, for a printer whose calibration knows how far below the sheet's top
// edge it starts to draw: the vertical twin of what the left distance does to the side edges.
PageDesign withTopDistance(const PageDesign& design, const PageScale& scale);
