#pragma once

#include "picture/decoded_picture.h"

// Opens the picture file `fileName` names (double quotes enclosing the name are dropped), by
// its content whatever its name: BMP (also .dib and .rle), GIF, JPEG, PNG and TIFF through Qt,
// PCX, IFF and TGA through our own readers. Only regular files are opened, so that a name
// being typed that names a pipe or a device costs nothing.
DecodedPicture OpenDib(const QString& fileName, const PictureLimits& limits = {},
                       const PictureProgress& progress = {});

// The same from a file's bytes in memory.
DecodedPicture readPicture(QByteArrayView file, const PictureLimits& limits = {},
                           const PictureProgress& progress = {});

// A file name as typed, without the double quotes that enclose a name with blanks.
QString unquotedFileName(const QString& fileName);
