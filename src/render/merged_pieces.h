#pragma once

#include <QRect>

#include <vector>

// Rectangles that together cover every one of `areas`, for sending the pixels under them as
// pictures: areas drawn one after another that lie close together, such as the rows of a round
// dot or the dashes of a line, share one rectangle as long as it is not much larger than they
// are; areas far apart, such as two crossing lines, keep their own.
std::vector<QRect> coverWithPieces(const std::vector<QRect>& areas);
