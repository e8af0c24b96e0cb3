#pragma once

#include "picture/picture_print_geometry.h"

#include <QString>

#include <optional>

class CurrentPrinter;
class PictureRecord;

inline constexpr const char* kPictureJobTitle = "Lineavo-Picture";

// Prints `dib` alone on one page as the job "Lineavo-Picture", sized and placed on the
// printable area by `choice`. Returns what went wrong, if anything did.
std::optional<QString> printPicture(CurrentPrinter& printer, const PictureRecord& dib,
                                    const PicturePrintChoice& choice);
