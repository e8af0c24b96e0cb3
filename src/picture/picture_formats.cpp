#include "picture/picture_formats.h"

#include "picture/gif_reader.h"
#include "picture/iff_reader.h"
#include "picture/pcx_reader.h"
#include "picture/tga_reader.h"

#include <QStringList>

#include <algorithm>

namespace {

bool startsWithAny(QByteArrayView bytes, std::initializer_list<QByteArrayView> signatures) {
    return std::any_of(signatures.begin(), signatures.end(),
                       [bytes](QByteArrayView signature) { return bytes.startsWith(signature); });
}

bool looksLikeBmp(QByteArrayView bytes, const PictureLimits&) {
    return bytes.startsWith("BM");
}
bool looksLikeGif(QByteArrayView bytes, const PictureLimits&) {
    return startsWithAny(bytes, {"GIF87a", "GIF89a"});
}
bool looksLikeJpeg(QByteArrayView bytes, const PictureLimits&) {
    return bytes.startsWith("\xff\xd8\xff");
}
bool looksLikePng(QByteArrayView bytes, const PictureLimits&) {
    return bytes.startsWith("\x89PNG\r\n\x1a\n");
}
bool looksLikeTiff(QByteArrayView bytes, const PictureLimits&) {
    return startsWithAny(bytes, {QByteArrayView("II*\0", 4), QByteArrayView("MM\0*", 4)});
}
bool looksLikePcxFile(QByteArrayView bytes, const PictureLimits&) {
    return looksLikePcx(bytes);
}
bool looksLikeIffFile(QByteArrayView bytes, const PictureLimits&) {
    return looksLikeIff(bytes);
}

constexpr PictureFileKind kBmpFiles[] = {{"BMP - Windows, OS/2 Bitmap", "BMP"},
                                         {"DIB - Windows, OS/2 DIB", "DIB"},
                                         {"RLE - Windows RLE", "RLE"}};
constexpr PictureFileKind kGifFiles[] = {{"GIF - CompuServe Graphics Interchange", "GIF"}};
constexpr PictureFileKind kJpegFiles[] = {{"JIF - JPEG - JFIF Compliant", "JIF JFIF"},
                                          {"JPG - JPEG - JFIF Compliant", "JPG JPEG JPE"}};
constexpr PictureFileKind kPngFiles[] = {{"PNG - Portable Network Graphics", "PNG"}};
constexpr PictureFileKind kTiffFiles[] = {{"TIF - Tagged image file Format", "TIF TIFF"}};
constexpr PictureFileKind kPcxFiles[] = {{"PCX - ZSoft Paintbrush", "PCX"}};
constexpr PictureFileKind kIlbmFiles[] = {{"IFF - Amiga", "IFF ILBM"}};
constexpr PictureFileKind kPbmFiles[] = {{"LBM - Deluxe Paint", "LBM"}};
constexpr PictureFileKind kTgaFiles[] = {{"TGA - Truevision Targa", "TGA"}};

// Formats with signatures come first, since those are certain. TGA comes last: it has no
// signature and is only taken when its header makes sense for the file. One reader reads both
// kinds of IFF and tells them apart, so PBM files are found through the ILBM row.
constexpr PictureFormatRow kFormats[] = {
    {PictureFormat::Bmp, "BMP", looksLikeBmp, "bmp", nullptr, kBmpFiles},
    {PictureFormat::Gif, "GIF", looksLikeGif, nullptr, readGif, kGifFiles},
    {PictureFormat::Jpeg, "JPEG", looksLikeJpeg, "jpeg", nullptr, kJpegFiles},
    {PictureFormat::Png, "PNG", looksLikePng, "png", nullptr, kPngFiles},
    {PictureFormat::Tiff, "TIFF", looksLikeTiff, "tiff", nullptr, kTiffFiles},
    {PictureFormat::Pcx, "PCX", looksLikePcxFile, nullptr, readPcx, kPcxFiles},
    {PictureFormat::Ilbm, "ILBM", looksLikeIffFile, nullptr, readIff, kIlbmFiles},
    {PictureFormat::Pbm, "PBM", looksLikeIffFile, nullptr, readIff, kPbmFiles},
    {PictureFormat::Tga, "TGA", looksLikeTga, nullptr, readTga, kTgaFiles},
};

// Linux file names are case-sensitive, so each suffix is offered in both cases.
QString patternsFor(const PictureFileKind& kind) {
    QStringList patterns;
    for (const QString& suffix : QString::fromLatin1(kind.suffixes).split(u' '))
        patterns << QStringLiteral("*.%1 *.%2").arg(suffix, suffix.toLower());
    return patterns.join(u' ');
}

} // namespace

std::span<const PictureFormatRow> pictureFormats() {
    return kFormats;
}

const PictureFormatRow* pictureFormatRow(PictureFormat format) {
    const auto row =
        std::find_if(std::begin(kFormats), std::end(kFormats),
                     [format](const PictureFormatRow& r) { return r.format == format; });
    return row == std::end(kFormats) ? nullptr : row;
}

const PictureFormatRow* pictureFormatOf(QByteArrayView bytes, const PictureLimits& limits,
                                        bool byQt) {
    for (const PictureFormatRow& row : kFormats)
        if ((row.qtReader != nullptr) == byQt && row.looksLike(bytes, limits))
            return &row;
    return nullptr;
}

QString pictureFormatName(PictureFormat format) {
    const PictureFormatRow* row = pictureFormatRow(format);
    return row ? QString::fromLatin1(row->name) : QString();
}

QString pictureFileFilter() {
    std::vector<const PictureFileKind*> kinds;
    for (const PictureFormatRow& row : kFormats)
        for (const PictureFileKind& kind : row.fileKinds)
            kinds.push_back(&kind);
    std::sort(kinds.begin(), kinds.end(), [](const PictureFileKind* a, const PictureFileKind* b) {
        return qstrcmp(a->caption, b->caption) < 0;
    });
    QStringList all;
    QStringList entries;
    for (const PictureFileKind* kind : kinds) {
        const QString patterns = patternsFor(*kind);
        all << patterns;
        entries << QStringLiteral("%1 (%2)").arg(QLatin1String(kind->caption), patterns);
    }
    return QStringLiteral("All pictures (%1);;%2;;All files (*)")
        .arg(all.join(u' '), entries.join(QStringLiteral(";;")));
}
