#pragma once

#include "picture/decoded_picture.h"

#include <span>

// One entry of the file dialog's list of pictures.
struct PictureFileKind {
    const char* caption;
    const char* suffixes; // in capitals, separated by blanks; offered in both cases
};

// One format the program reads: how its files are recognised, who decodes them, what the
// command line calls it and under which names the file dialog offers its files.
struct PictureFormatRow {
    PictureFormat format;
    const char* name;
    // Whether the bytes are of this format. Formats Qt decodes are known by their signature,
    // within their first kPictureSignatureBytes; ours are handed the whole file.
    bool (*looksLike)(QByteArrayView bytes, const PictureLimits& limits);
    const char* qtReader; // the name of Qt's reader, or null where one of ours reads the file
    DecodedPicture (*read)(QByteArrayView file, const PictureLimits& limits,
                           const PictureProgress& progress); // ours; null for Qt's
    std::span<const PictureFileKind> fileKinds;
};

inline constexpr qsizetype kPictureSignatureBytes = 16;

// Every format read, in the order in which a file's content is matched against them.
std::span<const PictureFormatRow> pictureFormats();

// The row of a format; null for None.
const PictureFormatRow* pictureFormatRow(PictureFormat format);

// The first format read by Qt (`byQt`) or by our readers that claims the bytes, or null.
const PictureFormatRow* pictureFormatOf(QByteArrayView bytes, const PictureLimits& limits,
                                        bool byQt);

// The file dialog's filter: all pictures, then each kind of file by its caption, then all files.
QString pictureFileFilter();
