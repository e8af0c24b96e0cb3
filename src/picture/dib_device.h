#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class PictureRecord;

// A rectangle of a picture or of a device. Its arithmetic is done in 64 bits: a picture may
// be far wider than a 32-bit product of its sides holds, and a placed picture's corner may lie
// far outside the page.
struct DibRect {
    qint64 x = 0;
    qint64 y = 0;
    qint64 width = 0;
    qint64 height = 0;

    bool operator==(const DibRect&) const = default;
};

// A bitmap made for a device, into which a picture is copied whole and from which it is then
// stretched: the way of last resort for devices that take no picture directly.
class DeviceBitmap {
  public:
    virtual ~DeviceBitmap() = default;
    // Copies the whole picture in; false when the device cannot.
    virtual bool setDIBits(const PictureRecord& dib) = 0;
    // Stretches `source` (rows counted from the bottom) into `dest`; false when refused.
    virtual bool stretchBlt(const DibRect& dest, const DibRect& source) = 0;
};

// What DrawDib needs of a device. Real devices can do everything; a test can take each
// ability away to reach the slower ways and their messages.
class DibDevice {
  public:
    virtual ~DibDevice() = default;

    virtual bool isPrinter() const = 0;
    // The bits per pixel of the display the user looks at.
    virtual int displayBitsPerPixel() const = 0;
    // The device pixels that drawing can change; pictures are sampled for these only.
    virtual QRect clipRect() const = 0;

    // Copies `pixels` (RGB32) one to one, their top-left pixel at `at`; false when refused.
    virtual bool setDIBitsToDevice(QPoint at, const QImage& pixels) = 0;
    // Stretches `source` of `dib` (rows counted from the bottom) into `dest` by the sampling
    // rule of every stretch; false when the device refuses to stretch.
    virtual bool stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                               const DibRect& source) = 0;
    // Whether the device takes pictures one to one (setDIBitsToDevice) at all.
    virtual bool hasDibToDevice() const = 0;
    // A bitmap of `size` for this device, or null when none can be made.
    virtual std::unique_ptr<DeviceBitmap> createCompatibleBitmap(QSize size) = 0;
};
