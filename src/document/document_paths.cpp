#include "document/document_paths.h"

namespace {

// Everything up to and including the last "/".
QString folderPart(const QString& fileName) {
    return fileName.left(fileName.lastIndexOf(u'/') + 1);
}

bool hasFolderPart(const QString& storedName) {
    return storedName.contains(u'/') || storedName.contains(u'\\') || storedName.contains(u':');
}

} // namespace

QString storedPictureName(const QString& pictureName, const QString& documentPath) {
    const QString pictureFolder = folderPart(pictureName);
    // File systems here tell upper from lower case, so the folders must match exactly.
    if (pictureFolder.isEmpty() || pictureFolder != folderPart(documentPath))
        return pictureName;
    const QString bareName = pictureName.mid(pictureFolder.size());
    // A bare name with a backslash or a colon would read back as a name with a folder of its own
    // and lose the document's folder: such a picture keeps its whole path.
    return hasFolderPart(bareName) ? pictureName : bareName;
}

QString resolvedPictureName(const QString& storedName, const QString& documentPath) {
    if (storedName.isEmpty() || hasFolderPart(storedName))
        return storedName;
    return folderPart(documentPath) + storedName;
}
