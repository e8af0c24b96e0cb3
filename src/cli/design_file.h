#pragma once

#include "base/failure.h"

#include <QString>

class LoadedDesign;
class QTextStream;

// What a verb does with its page when one of the design's pictures does not open, as its
// warning tells the user.
enum class PageWithoutPicture { Drawn, Printed };

// Opens `designPath` (empty: the design of New) into `loaded`, with the two pictures it names,
// for a verb that draws or prints it. A picture that cannot be opened is a warning on `err`,
// and the page goes on without it. Fails with "FILE: message" when the design itself cannot be
// opened.
Failure openDesignFile(const QString& designPath, LoadedDesign& loaded, QTextStream& err,
                       PageWithoutPicture without = PageWithoutPicture::Drawn);
