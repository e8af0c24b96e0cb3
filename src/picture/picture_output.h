#pragma once

#include "base/failure.h"
#include "picture/decoded_picture.h"

#include <QJsonObject>

// What the command line tells of a picture: width, height, depth, colors (palette entries
// held) and format, and "complete": false for a picture whose file ends early.
QJsonObject describePicture(const DecodedPicture& decoded);

// Writes the pixels as held to `fileName`: a PNG, or, for a name ending in .bmp, a BMP in the
// picture's own depth with its palette.
Failure writePicture(const PictureRecord& picture, const QString& fileName);
