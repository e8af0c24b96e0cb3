#include "render/merged_pieces.h"

namespace {

// A picture costs about as much to send as this many pixels of its own.
constexpr qint64 kPiecePixels = 64;

qint64 pixelsOf(const QRect& r) {
    return qint64(r.width()) * r.height();
}

} // namespace

std::vector<QRect> coverWithPieces(const std::vector<QRect>& areas) {
    std::vector<QRect> pieces;
    QRect piece;
    qint64 covered = 0; // the pixels of the areas in `piece`, crossings counted twice
    for (const QRect& area : areas) {
        if (area.isEmpty())
            continue;
        if (!piece.isEmpty()) {
            const QRect joined = piece.united(area);
            // Half as many pixels again is allowed, so that the corners beside a round dot
            // do not split it.
            if (pixelsOf(joined) <= (covered + pixelsOf(area)) * 3 / 2 + kPiecePixels) {
                piece = joined;
                covered += pixelsOf(area);
                continue;
            }
            pieces.push_back(piece);
        }
        piece = area;
        covered = pixelsOf(area);
    }
    if (!piece.isEmpty())
        pieces.push_back(piece);
    return pieces;
}
