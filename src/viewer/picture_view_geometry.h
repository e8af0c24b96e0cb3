#pragma once

#include <QtGlobal>

// The viewer's paint box: the picture times the zoom. Its sides are kept in 64 bits, as large
// as the zoom makes them; the window only ever shows a small part of them.
struct ZoomedSize {
    qint64 width = 0;
    qint64 height = 0;

    bool operator==(const ZoomedSize&) const = default;
};

// Each side times `zoomPercent` / 100, truncated: a side may come out as 0.
ZoomedSize zoomedPictureSize(qint64 pictureWidth, qint64 pictureHeight, int zoomPercent);

// Where a scroll bar goes while the picture is dragged: the point grabbed at `grabbed` (on the
// paint box) moves to the pointer at `pointer` (on the paint box, which has moved with the
// scrolling since). Raised to 0, then lowered to `extent` - 1, where `extent` is the paint
// box's side; the scroll bar then limits it to what it can scroll.
qint64 dragScrollPosition(qint64 position, qint64 grabbed, qint64 pointer, qint64 extent);
