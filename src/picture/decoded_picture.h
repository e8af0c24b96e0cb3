#pragma once

#include "base/failure.h"
#include "picture/picture_record.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// How much a caller lets one picture cost; anything larger is refused before it is allocated.
struct PictureLimits {
    qint64 maxPixels = qint64(1) << 28;
    qint64 maxPixelBytes = qint64(1) << 30; // the pixels as held in memory
    qint64 maxFileBytes = qint64(512) << 20;
};

// Called with 0 ... 100 while a picture is read.
using PictureProgress = std::function<void(int percent)>;

// What each format is and how it is read is told by its row in picture/picture_formats.h.
enum class PictureFormat { None, Bmp, Gif, Jpeg, Png, Tiff, Pcx, Ilbm, Pbm, Tga };

// The name a format is reported under ("BMP", "ILBM", ...), from its row; empty for None.
QString pictureFormatName(PictureFormat format);

// A picture read from a file, or why it could not be.
struct DecodedPicture {
    PictureRecord picture;
    PictureFormat format = PictureFormat::None;
    QString error; // a sentence; empty on success
    // Set when the file ends before the picture does: what it lacks is drawn as this sentence
    // says. Such a picture is opened all the same, since what it has may serve.
    QString incomplete;

    static DecodedPicture failure(QString reason) { return {{}, PictureFormat::None, reason, {}}; }
    bool ok() const { return !picture.isEmpty(); }
};

// Helpers the readers share.
namespace picture_decoding {

// How many pixels one byte of LZW data can give at most: a code of 12 bits for a string of up
// to 4096 indices.
inline constexpr qint64 kLzwRatio = 2731;

// Why a picture of this size cannot be held within `limits`, if it cannot.
Failure refuseSize(qint64 width, qint64 height, int bytesPerPixel, const PictureLimits& limits);

// Why a picture that needs `bytes` of memory to be decoded is refused.
QString refuseMemory(qint64 bytes, const PictureLimits& limits);

// The reason given when the pixels cannot be allocated.
QString outOfMemory();

// What a picture whose file ends early says, where the missing pixels are left as value 0:
// black, or the first colour of the picture's palette.
QString endsEarly(const PictureRecord& picture);

// The picture a reader made; `fileRanOut` when the file ended before the pixels did, which
// were then left as value 0.
DecodedPicture decoded(PictureRecord picture, PictureFormat format, bool fileRanOut);

// A palette of `count` greys from black to white.
QList<QRgb> greyPalette(int count);

// Reports whole percentages of `total` steps, each only once.
class ProgressSteps {
  public:
    ProgressSteps(const PictureProgress& progress, qint64 total);
    void advanceTo(qint64 done);
    void finish() { advanceTo(m_total); }

  private:
    const PictureProgress& m_progress;
    qint64 m_total;
    int m_reported = -1;
};

inline quint16 le16(const uchar* p) {
    return quint16(p[0] | p[1] << 8);
}
inline quint32 le32(const uchar* p) {
    return le16(p) | quint32(le16(p + 2)) << 16;
}
inline quint16 be16(const uchar* p) {
    return quint16(p[0] << 8 | p[1]);
}
inline quint32 be32(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

} // namespace picture_decoding
