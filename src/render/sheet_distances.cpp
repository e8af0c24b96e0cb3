#include "render/sheet_distances.h"

PageDesign withTopDistance(const PageDesign& design, const PageScale& scale) {
    PageDesign shifted = design;
    shifted.topMarginMm -= scale.TopOffsetMm;
    shifted.bottomMarginMm -= scale.TopOffsetMm;
    return shifted;
}
