#pragma once

#include "base/failure.h"

#include <QByteArray>
#include <QString>

class PaperSettings;

// The texts that the user sees when a document cannot be written or read. Every failure of
// saveDocument and openDocument begins with one of them and goes on to name the file and say
// what is wrong with it.
namespace DocumentMessages {
inline const QString couldNotCreate = QStringLiteral("Could not create file!");
inline const QString couldNotOpen = QStringLiteral("Could not open file!");
inline const QString readBeyondEnd = QStringLiteral("Read beyond end of file.");
inline const QString damagedExtension = QStringLiteral(
    "The document's block of newer settings is damaged, so the document was not opened.");
} // namespace DocumentMessages

// Writes the design to `fileName`, replacing any file of that name. Picture names are stored
// relative to the document where the pictures lie beside it. The old file stays as it was
// unless the new one was written completely.
Failure saveDocument(const PaperSettings& settings, const QString& fileName);

// Reads the design from `fileName` into `settings`, field by field in file order. The whole
// file is read and checked first: when it cannot be read, nothing changes.
Failure openDocument(PaperSettings& settings, const QString& fileName);

// The two halves of saving and opening without the file itself, for callers that hold the
// bytes. `documentPath` is the document's absolute path, against which picture names are
// made relative or resolved.
Failure encodeDocument(const PaperSettings& settings, const QString& documentPath,
                       QByteArray& bytes);
// When `bytes` are not a whole document, nothing changes.
Failure applyDocument(PaperSettings& settings, QByteArrayView bytes, const QString& documentPath);
