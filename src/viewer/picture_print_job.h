#pragma once

#include "base/failure.h"
#include "viewer/picture_print_geometry.h"

#include <QByteArrayView>
#include <QString>

class CurrentPrinter;
class PictureRecord;

inline constexpr const char* kPictureJobTitle = "Lineavo-Picture";

// Prints `dib` alone on one page as the job "Lineavo-Picture", sized and placed on the
// printable area by `choice`. `jpegFile` is the file `dib` was read from whole, if it is a JPEG:
// where a printer of the print server can take its data as it is, the job carries that data
// unchanged rather than the decoded pixels packed anew, which costs many times the time and
// the size. Returns what went wrong, if anything did.
Failure printPicture(CurrentPrinter& printer, const PictureRecord& dib,
                     const PicturePrintChoice& choice, QByteArrayView jpegFile = {});
