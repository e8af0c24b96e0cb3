#include "viewer/picture_view_geometry.h"

#include <cmath>

ZoomedSize zoomedPictureSize(qint64 pictureWidth, qint64 pictureHeight, int zoomPercent) {
    const double factor = zoomPercent / 100.0;
    return {qint64(std::trunc(double(pictureWidth) * factor)),
            qint64(std::trunc(double(pictureHeight) * factor))};
}

qint64 dragScrollPosition(qint64 position, qint64 grabbed, qint64 pointer, qint64 extent) {
    qint64 wanted = position + grabbed - pointer;
    if (wanted < 0)
        wanted = 0;
    if (wanted > extent - 1)
        wanted = extent - 1;
    return wanted;
}
