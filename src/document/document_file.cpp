#include "document/document_file.h"

#include "document/document_paths.h"
#include "document/document_record.h"
#include "document/safe_file_writer.h"
#include "document/windows1252.h"
#include "settings/paper_settings.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype kLaterExtensionRoom = 64 * 1024;

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

// The value a document stores for a setting, a choice in the way `stored` holds it.
std::optional<QString> storedValue(const PaperSettings& s, const SettingDescription& d,
                                   Stored stored, const QString& documentPath, StoredValue& value) {
    switch (d.kind) {
    case SettingKind::Real:
        value = s.field(d.setting).value();
        break;
    case SettingKind::Choice:
        // A choice stored as a flag says whether its first button is on.
        value = stored == Stored::Flag ? qint64(s.number(d.setting) == 0) : s.number(d.setting);
        break;
    case SettingKind::Check:
    case SettingKind::Colour:
    case SettingKind::Whole:
        value = s.number(d.setting);
        break;
    case SettingKind::Text:
    case SettingKind::FileName: {
        const QString& text = s.text(d.setting);
        QByteArray bytes;
        if (auto error = encodeStringField(
                d.kind == SettingKind::FileName ? storedPictureName(text, documentPath) : text,
                QLatin1String(d.what), bytes))
            return error;
        value = bytes;
        break;
    }
    }
    return std::nullopt;
}

// Whether the main fields alone keep the setting as it is: true of a setting at what New
// gives it, and of a choice whose main field can tell its button.
bool mainFieldsKeep(const PaperSettings& s, const SettingDescription& d) {
    switch (d.place) {
    case Place::Main:
        return true;
    case Place::Both:
        return d.stored != Stored::Flag || s.number(d.setting) <= 1;
    case Place::Extension:
        return d.kind == SettingKind::Real ? s.field(d.setting).value() == d.newValue
                                           : s.number(d.setting) == qint64(d.newValue);
    }
    return true;
}

std::optional<QString> recordFromSettings(const PaperSettings& s, const QString& documentPath,
                                          DocumentRecord& r) {
    bool needsExtension = false;
    for (const SettingDescription& d : settingTable()) {
        if (!inMainFields(d))
            continue;
        if (auto error = storedValue(s, d, d.stored, documentPath, r[d.setting]))
            return error;
    }
    for (const SettingDescription& d : settingTable())
        needsExtension = needsExtension || !mainFieldsKeep(s, d);
    // A design that needs no block is saved exactly as before there was one.
    if (!needsExtension)
        return std::nullopt;
    r.extension.emplace();
    for (const SettingDescription& d : settingTable()) {
        if (!inExtension(d))
            continue;
        if (auto error =
                storedValue(s, d, Stored::Byte, documentPath, (*r.extension)[int(d.setting)]))
            return error;
    }
    return std::nullopt;
}

// Sets a setting from its stored value, a choice read in the way `stored` holds it.
void applyValue(const SettingDescription& d, const StoredValue& value, Stored stored,
                const QString& documentPath, PaperSettings& s) {
    switch (d.kind) {
    case SettingKind::Real:
        s.field(d.setting).setValue(std::get<double>(value));
        break;
    case SettingKind::Choice: {
        const qint64 number = std::get<qint64>(value);
        const qint64 button = stored == Stored::Flag ? qint64(number == 0) : number;
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
        s.setText(d.setting,
                  d.kind == SettingKind::FileName ? resolvedPictureName(text, documentPath) : text);
        break;
    }
    }
}

void applyRecord(const DocumentRecord& r, const QString& documentPath, PaperSettings& s) {
    for (const SettingDescription& d : settingTable()) {
        if (inMainFields(d))
            applyValue(d, r[d.setting], d.stored, documentPath, s);
    }
    for (const SettingDescription& d : settingTable()) {
        if (r.extension && inExtension(d))
            applyValue(d, (*r.extension)[int(d.setting)], Stored::Byte, documentPath, s);
        // A design from before the block has none of its settings.
        else if (!r.extension && !inMainFields(d))
            applyValue(d,
                       d.kind == SettingKind::Real ? StoredValue(d.newValue)
                                                   : StoredValue(qint64(d.newValue)),
                       d.stored, documentPath, s);
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
    DocumentFault fault{};
    const std::optional<DocumentRecord> record = decodeDocumentRecord(bytes, &fault);
    if (!record)
        return fault == DocumentFault::EndsEarly ? DocumentMessages::readBeyondEnd
                                                 : DocumentMessages::damagedExtension;
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
    // Anything after the largest possible document is never read. A later version's extension
    // block may be longer than ours; it has room for that.
    const QByteArray bytes =
        file.read(largestDocumentSize() + kExtensionHeaderSize + kLaterExtensionRoom);
    if (file.error() != QFileDevice::NoError)
        return DocumentMessages::couldNotOpen;
    return applyDocument(settings, bytes, documentPath);
}
