#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// How a picture is printed alone on a page: filling the printable area or a width and a
// height in percent of it, with or without the picture's proportions, centred or at the top
// left corner.
struct PicturePrintChoice {
    bool useFullPage = true;
    bool keepAspectRatio = true;
    bool centered = true;
    int widthPercent = 50;  // of the area's width, when not using the page fully
    int heightPercent = 50; // of its height

    bool operator==(const PicturePrintChoice&) const = default;
};

inline constexpr int kLeastPercent = 1;
inline constexpr int kMostPercent = 100;

// Where the picture lands in `area` (its top-left corner at 0, 0). The same rule places it on
// the printer's printable area and in the dialog's outline of the page, so that the preview
// shows the printed proportions. Empty when the picture or the area has no pixels.
QRect placePicture(QSize picture, QSize area, const PicturePrintChoice& choice);

// The outline of a page whose printable area is `area`, as large as fits `box` with the
// area's proportions and centred in it. Empty for an area without pixels.
QRect pageOutline(QSize box, QSize area);

// The percentage of the other side that keeps the picture's proportions on the printed area
// when one side is `percent` of the area: truncated, then brought into 1 ... 100. Nothing when
// the picture or the area has no pixels.
std::optional<int> heightPercentFor(int widthPercent, QSize picture, QSize area);
std::optional<int> widthPercentFor(int heightPercent, QSize picture, QSize area);
