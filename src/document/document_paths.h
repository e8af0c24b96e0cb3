#pragma once

#include <QString>

// Picture file names in documents are kept relative to the document where the picture lies
// in the document's own folder, so that a design survives moving its folder.

// The name to store for `pictureName` in the document `documentPath` (an absolute path): the
// bare file name when both lie in the same folder and the bare name reads back as such, the
// name unchanged otherwise.
QString storedPictureName(const QString& pictureName, const QString& documentPath);

// The picture file name that a stored name stands for when the document `documentPath` (an
// absolute path) is opened. A stored name without any folder part is taken to lie beside the
// document; documents written on Windows count "\" and a drive colon as folder parts too.
QString resolvedPictureName(const QString& storedName, const QString& documentPath);
