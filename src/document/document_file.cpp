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
    for (const SettingDescription& d : settingTable()) {
        switch (d.kind) {
        case SettingKind::Real:
            r[d.setting] = s.field(d.setting).value();
            break;
        case SettingKind::Choice:
            // A choice stored as a flag says whether its first button is on.
            r[d.setting] =
                d.stored == Stored::Flag ? qint64(s.number(d.setting) == 0) : s.number(d.setting);
            break;
        case SettingKind::Check:
        case SettingKind::Colour:
        case SettingKind::Whole:
            r[d.setting] = s.number(d.setting);
            break;
        case SettingKind::Text:
        case SettingKind::FileName: {
            const QString& text = s.text(d.setting);
            QByteArray bytes;
            if (auto error = encodeStringField(
                    d.kind == SettingKind::FileName ? storedPictureName(text, documentPath) : text,
                    QLatin1String(d.what), bytes))
                return error;
            r[d.setting] = bytes;
            break;
        }
        }
    }
    return std::nullopt;
}

void applyRecord(const DocumentRecord& r, const QString& documentPath, PaperSettings& s) {
    for (const SettingDescription& d : settingTable()) {
        const StoredValue& value = r[d.setting];
        switch (d.kind) {
        case SettingKind::Real:
            s.field(d.setting).setValue(std::get<double>(value));
            break;
        case SettingKind::Choice: {
            const qint64 stored = std::get<qint64>(value);
            const qint64 button = d.stored == Stored::Flag ? qint64(stored == 0) : stored;
            // A button the group does not have leaves the choice as it is.
            if (button < buttonCount(d))
                s.setNumber(d.setting, button);
            break;
        }
        case SettingKind::Check:
        case SettingKind::Colour:
        case SettingKind::Whole:
            s.setNumber(d.setting, std::get<qint64>(value));
            break;
        case SettingKind::Text:
        case SettingKind::FileName: {
            const QString text = decodeWindows1252(std::get<QByteArray>(value));
            if (text.isEmpty() && d.needsText)
                break;
            s.setText(d.setting, d.kind == SettingKind::FileName
                                     ? resolvedPictureName(text, documentPath)
                                     : text);
            break;
        }
        }
    }
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
    const QByteArray bytes = file.read(largestDocumentSize());
    if (file.error() != QFileDevice::NoError)
        return DocumentMessages::couldNotOpen;
    return applyDocument(settings, bytes, documentPath);
}
