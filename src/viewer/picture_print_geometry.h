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

// The two percentages of the printable area's sides that the picture is printed at.
struct PrintPercents {
    int width = 0;
    int height = 0;

    bool operator==(const PrintPercents&) const = default;
};

enum class PercentSide { Width, Height };

// The percentages that keep the picture's proportions on the printable area when the side `set`
// is given `percent` (brought into 1 ... 100): the other side's percentage follows, truncated
// and raised to at least 1. Where it would pass 100, `percent` is lowered until it does not,
// so that the printed area keeps the picture's proportions. Nothing when the picture or the area
// has no pixels.
std::optional<PrintPercents> proportionalPercents(PercentSide set, int percent, QSize picture,
                                                  QSize area);

// Whether `percents` are what keeping the proportions makes of one of them, so that a pair the
// user set with either side is left alone.
bool isProportional(PrintPercents percents, QSize picture, QSize area);
