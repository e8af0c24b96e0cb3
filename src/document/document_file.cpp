#include "document/document_file.h"

#include "document/document_paths.h"
#include "document/document_record.h"
#include "document/safe_file_writer.h"
#include "document/windows1252.h"
#include "settings/paper_settings.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Encodes a text for a string field, or says why it cannot be stored.
std::optional<QString> encodeStringField(const QString& text, const QString& what,
                                         QByteArray& bytes) {
    const std::optional<QByteArray> encoded = encodeWindows1252(text);
    if (!encoded)
        return QStringLiteral("The %1 \"%2\" has characters that a document cannot hold.")
            .arg(what, text);
    if (encoded->size() > 255)
        return QStringLiteral("The %1 is %2 characters long; a document holds at most 255.")
            .arg(what)
            .arg(encoded->size());
    bytes = *encoded;
    return std::nullopt;
}

std::optional<QString> recordFromSettings(const PaperSettings& s, const QString& documentPath,
                                          DocumentRecord& r) {
    r.ruled = s.paperKind() == PaperKind::LiniertCheck;
    r.lineSpace = s.LineSpaceEd.value();
    r.withoutFirstLine = s.flag(Flag::WithoutFirstLineCheck);
    r.withoutLastLine = s.flag(Flag::WithoutLastLineCheck);
    r.caretSpace = s.CaretSpaceED.value();
    r.lineColour = s.colour(Colour::ColvarColorComboBox1);
    r.lineWidth = s.LineWidthEd.value();
    r.leftBorder = s.LeftBorderEd.value();
    r.leftBorderLine = s.flag(Flag::LeftBorderLineCheck);
    r.noLeftBorderFill = s.flag(Flag::NoLeftBorderFillCheck);
    r.rightBorder = s.RightBorderEd.value();
    r.rightBorderLine = s.flag(Flag::RightBorderLineCheck);
    r.noRightBorderFill = s.flag(Flag::NoRightBorderFillCheck);
    r.edgeLineColour = s.colour(Colour::ColvarColorComboBox3);
    r.edgeLineWidth = s.RRLineWidthED.value();
    r.pictureCorner = quint8(s.pictureCorner());
    r.posX = s.PosXEd.value();
    r.posY = s.PosYEd.value();
    r.pictureWidth = s.BreitEd.value();
    r.pictureHeight = s.HochEd.value();
    r.keepPictureAspect = s.flag(Flag::SVerhCheck);
    r.borderTop = s.BorderTopEd.value();
    r.borderBottom = s.BorderBottomEd.value();
    r.textureWidth = s.BreitEd2.value();
    r.textureHeight = s.HochEd2.value();
    r.keepTextureAspect = s.flag(Flag::SVerh2Check);
    r.grayScale = s.flag(Flag::GrayScaleCheck);
    r.lighten = s.flag(Flag::LightenCheck);
    r.mergeMode = quint8(s.mergeMode());
    r.strongLight = s.flag(Flag::StrongLightCheck);
    r.fontColour = s.font().color;
    r.fontCharset = s.font().charset;
    r.fontSize = s.font().sizePoints;
    r.fontPitch = s.font().pitch;

    const struct {
        QString text;
        QString what;
        QByteArray& bytes;
    } strings[] = {
        {storedPictureName(s.text(Text::FilenameEdit1), documentPath),
         QStringLiteral("picture file name"), r.pictureName},
        {storedPictureName(s.text(Text::FilenameEdit2), documentPath),
         QStringLiteral("texture file name"), r.textureName},
        {s.text(Text::Edit1), QStringLiteral("free text"), r.freeText},
        {s.font().name, QStringLiteral("font name"), r.fontName},
    };
    for (const auto& field : strings) {
        if (auto error = encodeStringField(field.text, field.what, field.bytes))
            return error;
    }
    return std::nullopt;
}

void applyRecord(const DocumentRecord& r, const QString& documentPath, PaperSettings& s) {
    s.setPaperKind(r.ruled ? PaperKind::LiniertCheck : PaperKind::KariertCheck);
    s.LineSpaceEd.setValue(r.lineSpace);
    s.setFlag(Flag::WithoutFirstLineCheck, r.withoutFirstLine);
    s.setFlag(Flag::WithoutLastLineCheck, r.withoutLastLine);
    s.CaretSpaceED.setValue(r.caretSpace);
    s.setColour(Colour::ColvarColorComboBox1, r.lineColour);
    s.LineWidthEd.setValue(r.lineWidth);
    s.LeftBorderEd.setValue(r.leftBorder);
    s.setFlag(Flag::LeftBorderLineCheck, r.leftBorderLine);
    s.setFlag(Flag::NoLeftBorderFillCheck, r.noLeftBorderFill);
    s.RightBorderEd.setValue(r.rightBorder);
    s.setFlag(Flag::RightBorderLineCheck, r.rightBorderLine);
    s.setFlag(Flag::NoRightBorderFillCheck, r.noRightBorderFill);
    s.setColour(Colour::ColvarColorComboBox3, r.edgeLineColour);
    s.RRLineWidthED.setValue(r.edgeLineWidth);
    s.setText(Text::FilenameEdit1,
              resolvedPictureName(decodeWindows1252(r.pictureName), documentPath));
    if (r.pictureCorner <= quint8(PictureCorner::untenrechts))
        s.setPictureCorner(PictureCorner(r.pictureCorner));
    s.PosXEd.setValue(r.posX);
    s.PosYEd.setValue(r.posY);
    s.BreitEd.setValue(r.pictureWidth);
    s.HochEd.setValue(r.pictureHeight);
    s.setFlag(Flag::SVerhCheck, r.keepPictureAspect);
    s.BorderTopEd.setValue(r.borderTop);
    s.BorderBottomEd.setValue(r.borderBottom);
    s.setText(Text::FilenameEdit2,
              resolvedPictureName(decodeWindows1252(r.textureName), documentPath));
    s.BreitEd2.setValue(r.textureWidth);
    s.HochEd2.setValue(r.textureHeight);
    s.setFlag(Flag::SVerh2Check, r.keepTextureAspect);
    s.setFlag(Flag::GrayScaleCheck, r.grayScale);
    s.setFlag(Flag::LightenCheck, r.lighten);
    if (r.mergeMode <= quint8(MergeMode::Merge2Check))
        s.setMergeMode(MergeMode(r.mergeMode));
    s.setFlag(Flag::StrongLightCheck, r.strongLight);
    s.setText(Text::Edit1, decodeWindows1252(r.freeText));

    FreeTextFont font = s.font(); // the style is not stored and stays
    if (!r.fontName.isEmpty())
        font.name = decodeWindows1252(r.fontName);
    font.color = r.fontColour;
    font.charset = r.fontCharset;
    font.sizePoints = r.fontSize;
    font.pitch = r.fontPitch;
    s.setFont(font);
}

} // namespace

std::optional<QString> encodeDocument(const PaperSettings& settings, const QString& documentPath,
                                      QByteArray& bytes) {
    DocumentRecord record;
    if (auto error = recordFromSettings(settings, documentPath, record))
        return error;
    bytes = encodeDocumentRecord(record);
    return std::nullopt;
}

std::optional<QString> applyDocument(PaperSettings& settings, QByteArrayView bytes,
                                     const QString& documentPath) {
    const std::optional<DocumentRecord> record = decodeDocumentRecord(bytes);
    if (!record)
        return DocumentMessages::readBeyondEnd;
    applyRecord(*record, documentPath, settings);
    return std::nullopt;
}

std::optional<QString> saveDocument(const PaperSettings& settings, const QString& fileName) {
    const QString documentPath = QFileInfo(fileName).absoluteFilePath();
    QByteArray bytes;
    if (auto error = encodeDocument(settings, documentPath, bytes))
        return error;

    // A folder, FIFO or device of that name is not replaced by a document.
    if (const QFileInfo target(documentPath); target.exists() && !target.isFile())
        return DocumentMessages::couldNotCreate;
    SafeFileWriter file(documentPath);
    if (auto error = file.open())
        return *error == kDiskFullMessage ? *error : DocumentMessages::couldNotCreate;
    file.device().write(bytes); // a short write is found by the commit
    return file.commit();
}

std::optional<QString> openDocument(PaperSettings& settings, const QString& fileName) {
    const QFileInfo info(fileName);
    const QString documentPath = info.absoluteFilePath();
    // Only a regular file: a folder or a FIFO chosen by mistake must not hang or mislead.
    if (!info.isFile())
        return DocumentMessages::couldNotOpen;
    QFile file(documentPath);
    if (!file.open(QIODevice::ReadOnly))
        return DocumentMessages::couldNotOpen;
    // Anything after the largest possible document is never read.
    const QByteArray bytes = file.read(kMaxDocumentSize);
    if (file.error() != QFileDevice::NoError)
        return DocumentMessages::couldNotOpen;
    return applyDocument(settings, bytes, documentPath);
}
