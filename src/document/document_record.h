#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The fields of one document file as they are stored, in file order: flags as on/off, reals
// as doubles in their field's unit, strings as their stored bytes (Windows-1252).
struct DocumentRecord {
    bool ruled = true;
    double lineSpace = 9;
    bool withoutFirstLine = true;
    bool withoutLastLine = true;
    double caretSpace = 5;
    qint32 lineColour = 0;
    double lineWidth = 0.75;
    double leftBorder = 2.5;
    bool leftBorderLine = true;
    bool noLeftBorderFill = false;
    double rightBorder = 2.5;
    bool rightBorderLine = true;
    bool noRightBorderFill = false;
    qint32 edgeLineColour = 0;
    double edgeLineWidth = 1.5;
    QByteArray pictureName;
    quint8 pictureCorner = 0;
    double posX = 0.5;
    double posY = 0.5;
    double pictureWidth = 1.5;
    double pictureHeight = 1.5;
    bool keepPictureAspect = true;
    double borderTop = 0.5;
    double borderBottom = 0.5;
    QByteArray textureName;
    double textureWidth = 5;
    double textureHeight = 5;
    bool keepTextureAspect = true;
    bool grayScale = true;
    bool lighten = true;
    quint8 mergeMode = 0;
    bool strongLight = false;
    QByteArray freeText;
    QByteArray fontName;
    qint32 fontColour = 0;
    quint8 fontCharset = 0;
    qint32 fontSize = 9;
    quint8 fontPitch = 0;
};

// The largest document there can be: 148 bytes of fixed fields and four strings of 255.
constexpr qsizetype kMaxDocumentSize = 148 + 4 * 255;

// The bytes of a document. Every string must be at most 255 bytes long.
QByteArray encodeDocumentRecord(const DocumentRecord& record);

// Reads a document from `bytes`. Empty when the bytes end before the last field; bytes after
// the last field are ignored, as they always have been.
std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes);
