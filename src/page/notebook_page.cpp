#include "page/notebook_page.h"

#include "settings/page_design.h"

#include <utility>

namespace {

PictureCorner mirrored(PictureCorner corner) {
    switch (corner) {
    case PictureCorner::obenlinks:
        return PictureCorner::obenrechts;
    case PictureCorner::obenrechts:
        return PictureCorner::obenlinks;
    case PictureCorner::untenlinks:
        return PictureCorner::untenrechts;
    case PictureCorner::untenrechts:
        return PictureCorner::untenlinks;
    }
    return corner;
}

} // namespace

bool isMirroredPage(const PageDesign& design) {
    return design.mirrorMargins && design.pageNumber % 2 == 0;
}

// The left edge is measured from the left side and the right edge from the right side, so the
// mirror image of each is the other's distance from its own side.
PageDesign designOfPage(const PageDesign& design) {
    PageDesign page = design;
    if (!isMirroredPage(design))
        return page;
    std::swap(page.leftEdgeMm, page.rightEdgeMm);
    std::swap(page.leftEdgeLine, page.rightEdgeLine);
    std::swap(page.noFillLeftOfEdge, page.noFillRightOfEdge);
    page.picture.corner = mirrored(design.picture.corner);
    return page;
}
