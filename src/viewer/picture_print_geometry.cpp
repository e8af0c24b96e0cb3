#include "viewer/picture_print_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

bool hasPixels(QSize size) {
    return size.width() > 0 && size.height() > 0;
}

// R(a * b / 100): the product in integers, the quotient to nearest with halves to even.
qint64 percentOf(qint64 side, qint64 percent) {
    return qint64(std::nearbyint(double(side * percent) / 100));
}

// percent * along / across * areaAlong / areaAcross, the first product in integers, the rest
// in floating point, truncated in floating point so that no huge ratio overflows.
double twinPercent(int percent, qint64 along, qint64 across, qint64 areaAlong, qint64 areaAcross) {
    return std::trunc(double(qint64(percent) * along) / double(across) * double(areaAlong) /
                      double(areaAcross));
}

} // namespace

QRect placePicture(QSize picture, QSize area, const PicturePrintChoice& choice) {
    if (!hasPixels(picture) || !hasPixels(area))
        return {};
    const qint64 dibWidth = picture.width();
    const qint64 dibHeight = picture.height();
    qint64 w = area.width();
    qint64 h = area.height();
    if (!choice.useFullPage) {
        w = percentOf(area.width(), choice.widthPercent);
        h = percentOf(area.height(), choice.heightPercent);
    } else if (choice.keepAspectRatio) {
        if (dibHeight * w / dibWidth > h)
            w = dibWidth * h / dibHeight;
        else
            h = dibHeight * w / dibWidth;
    }
    qint64 x = 0;
    qint64 y = 0;
    if (choice.centered) {
        x = (area.width() - w) / 2;
        y = (area.height() - h) / 2;
    }
    return QRect(int(x), int(y), int(w), int(h));
}

QRect pageOutline(QSize box, QSize area) {
    if (!hasPixels(area))
        return {};
    qint64 w = box.width();
    qint64 h = box.height();
    if (area.height() < area.width())
        h = w * area.height() / area.width();
    else
        w = h * area.width() / area.height();
    return QRect(int((box.width() - w) / 2), int((box.height() - h) / 2), int(w), int(h));
}

std::optional<PrintPercents> proportionalPercents(PercentSide set, int percent, QSize picture,
                                                  QSize area) {
    if (!hasPixels(picture) || !hasPixels(area))
        return std::nullopt;
    if (set == PercentSide::Height) {
        const auto turned = proportionalPercents(PercentSide::Width, percent, picture.transposed(),
                                                 area.transposed());
        return PrintPercents{turned->height, turned->width};
    }
    const auto heightFor = [&](int width) {
        return twinPercent(width, picture.height(), picture.width(), area.width(), area.height());
    };
    int width = std::clamp(percent, kLeastPercent, kMostPercent);
    while (width > kLeastPercent && heightFor(width) > kMostPercent)
        --width;
    const double height = std::clamp(heightFor(width), double(kLeastPercent), double(kMostPercent));
    return PrintPercents{width, int(height)};
}

bool isProportional(PrintPercents percents, QSize picture, QSize area) {
    return proportionalPercents(PercentSide::Width, percents.width, picture, area) == percents ||
           proportionalPercents(PercentSide::Height, percents.height, picture, area) == percents;
}
