#include "document/document_file.h"

#include "base/safe_file_writer.h"
#include "base/system_file_names.h"
#include "document/document_paths.h"
#include "document/document_record.h"
#include "document/windows1252.h"
#include "settings/paper_settings.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kLaterExtensionRoom = 64 * 1024;

// Encodes a text for a string field, or says why it cannot be stored.
Failure encodeStringField(const QString& text, const QString& what, QByteArray& bytes) {
    const std::optional<QByteArray> encoded = encodeWindows1252(text);
    if (!encoded)
        return Failure::because(
            QStringLiteral("The %1 \"%2\" has characters that a document cannot hold.")
                .arg(what, text));
    if (encoded->size() > 255)
        return Failure::because(
            QStringLiteral("The %1 is %2 characters long; a document holds at most 255.")
                .arg(what)
                .arg(encoded->size()));
    bytes = *encoded;
    return Failure::none();
}

// The value a document stores for a setting, a choice in the way `stored` holds it. The
// block's first generation keeps a button it did not know as the main field reads it, so that
// a program that reads only that generation opens the design as it would without the block.
Failure storedValue(const PaperSettings& s, const SettingDescription& d, Stored stored,
                    int generation, const QString& documentPath, StoredValue& value) {
    switch (d.kind) {
    case SettingKind::Real:
        value = s.field(d.setting).value();
        break;
    case SettingKind::Choice: {
        // A choice stored as a flag says whether its first button is on.
        const qint64 number = s.number(d.setting);
        if (stored == Stored::Flag)
            value = qint64(number == 0);
        else if (generation == 1 && d.buttonsOfFirstGeneration > 0 &&
                 number >= d.buttonsOfFirstGeneration)
            value = qint64(number != 0);
        else
            value = number;
        break;
    }
    case SettingKind::Check:
    case SettingKind::Colour:
    case SettingKind::Whole:
        value = s.number(d.setting);
        break;
    case SettingKind::Text:
    case SettingKind::FileName: {
        const QString& text = s.text(d.setting);
        QByteArray bytes;
        if (Failure error = encodeStringField(
                d.kind == SettingKind::FileName ? storedPictureName(text, documentPath) : text,
                QLatin1String(d.what), bytes);
            error.failed())
            return error;
        value = bytes;
        break;
    }
    }
    return Failure::none();
}

// Whether a document needs the extension block to keep the setting as it is: not for a
// setting at what New gives it, nor for one whose main field can tell it.
bool needsBlock(const PaperSettings& s, const SettingDescription& d) {
    switch (d.place) {
    case Place::Main:
        return false;
    case Place::Both:
        return d.stored == Stored::Flag && s.number(d.setting) > 1;
    case Place::Extension:
        return d.kind == SettingKind::Real ? s.field(d.setting).value() != d.newValue
                                           : s.number(d.setting) != qint64(d.newValue);
    }
    return false;
}

Failure recordFromSettings(const PaperSettings& s, const QString& documentPath, DocumentRecord& r) {
    bool blockNeeded = false;
    for (const SettingDescription& d : settingTable()) {
        blockNeeded = blockNeeded || needsBlock(s, d);
        if (!inMainFields(d))
            continue;
        if (Failure error = storedValue(s, d, d.stored, 0, documentPath, r[d.setting]);
            error.failed())
            return error;
    }
    // A design that needs no block is saved exactly as before there was one. One that needs
    // a block has every generation, so that the block can end in its check sum.
    r.extension.resize(blockNeeded ? kExtensionGenerations : 0);
    for (int generation = 1; generation <= int(r.extension.size()); ++generation) {
        for (const SettingDescription& d : settingTable()) {
            if (!inGeneration(d, generation))
                continue;
            if (Failure error = storedValue(s, d, Stored::Byte, generation, documentPath,
                                            r.extension[generation - 1][int(d.setting)]);
                error.failed())
                return error;
        }
    }
    return Failure::none();
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
    // Each generation after the ones before it, so that the one that keeps a setting exactly
    // has the last word.
    const int generations = int(r.extension.size());
    for (int generation = 1; generation <= generations; ++generation) {
        for (const SettingDescription& d : settingTable()) {
            if (inGeneration(d, generation))
                applyValue(d, r.extension[generation - 1][int(d.setting)], Stored::Byte,
                           documentPath, s);
        }
    }
    // A design from before a generation has none of its settings.
    for (const SettingDescription& d : settingTable()) {
        if (!inMainFields(d) && d.generation > generations)
            applyValue(d,
                       d.kind == SettingKind::Real ? StoredValue(d.newValue)
                                                   : StoredValue(qint64(d.newValue)),
                       d.stored, documentPath, s);
    }
}

// A file's name as the messages quote it.
QString quoted(const QString& fileName) {
    return u'"' + fileName + u'"';
}

// What a name that exists names instead of a file.
QString notAFile(bool isFolder) {
    return isFolder ? QStringLiteral("is a folder, not a file")
                    : QStringLiteral("is not a regular file");
}

// Whether the folder that holds `absolutePath` is there.
bool folderExists(const QString& absolutePath) {
    const QByteArray path = systemFileName(absolutePath);
    const QByteArray folder = path.left(std::max<qsizetype>(path.lastIndexOf('/'), 1));
    struct stat info {};
    return ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString notSavedAs(const QString& reason, const QString& name) {
    return QStringLiteral("%1 The design was not saved as %2.").arg(reason, name);
}

} // namespace

Failure encodeDocument(const PaperSettings& settings, const QString& documentPath,
                       QByteArray& bytes) {
    DocumentRecord record;
    if (Failure error = recordFromSettings(settings, documentPath, record); error.failed())
        return error;
    bytes = encodeDocumentRecord(record);
    return Failure::none();
}

Failure applyDocument(PaperSettings& settings, QByteArrayView bytes, const QString& documentPath) {
    DocumentFault fault{};
    const std::optional<DocumentRecord> record = decodeDocumentRecord(bytes, &fault);
    if (!record)
        return Failure::because(fault == DocumentFault::EndsEarly
                                    ? DocumentMessages::readBeyondEnd
                                    : DocumentMessages::damagedExtension);
    applyRecord(*record, documentPath, settings);
    return Failure::none();
}

Failure saveDocument(const PaperSettings& settings, const QString& fileName) {
    const QString name = quoted(fileName);
    const QString documentPath = absoluteFileName(fileName);
    QByteArray bytes;
    if (Failure error = encodeDocument(settings, documentPath, bytes); error.failed())
        return Failure::because(notSavedAs(error.message(), name));

    // A folder, FIFO or device of that name is not replaced by a document.
    struct stat info {};
    if (::stat(systemFileName(documentPath).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return Failure::because(
            QStringLiteral("%1 %2 %3.")
                .arg(DocumentMessages::couldNotCreate, name, notAFile(S_ISDIR(info.st_mode))));
    SafeFileWriter file(documentPath);
    if (Failure error = file.open(); error.failed()) {
        if (error.message() == kDiskFullMessage)
            return Failure::because(notSavedAs(error.message(), name));
        if (!folderExists(documentPath))
            return Failure::because(QStringLiteral("%1 %2 lies in a folder that does not exist.")
                                        .arg(DocumentMessages::couldNotCreate, name));
        return Failure::because(QStringLiteral("%1 %2 cannot be written. %3")
                                    .arg(DocumentMessages::couldNotCreate, name, error.message()));
    }
    file.device().write(bytes); // a short write is found by the commit
    if (Failure error = file.commit(); error.failed())
        return Failure::because(notSavedAs(error.message(), name));
    return Failure::none();
}

Failure openDocument(PaperSettings& settings, const QString& fileName) {
    const QString name = quoted(fileName);
    // The name as the system's bytes: the toolkit's own checks lose a name that is not UTF-8.
    const QString documentPath = absoluteFileName(fileName);
    const QByteArray path = systemFileName(fileName);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        // A name that is there but leads nowhere, such as a loop of links, says why.
        const int code = errno;
        if (code == ENOENT)
            return Failure::because(
                QStringLiteral("%1 %2 does not exist.").arg(DocumentMessages::couldNotOpen, name));
        return Failure::because(
            QStringLiteral("%1 %2: %3.")
                .arg(DocumentMessages::couldNotOpen, name, QString::fromLocal8Bit(strerror(code))));
    }
    // Only a regular file: a folder or a FIFO chosen by mistake must not hang or mislead.
    if (!S_ISREG(info.st_mode))
        return Failure::because(
            QStringLiteral("%1 %2 %3.")
                .arg(DocumentMessages::couldNotOpen, name, notAFile(S_ISDIR(info.st_mode))));
    // Not blocking, should a FIFO have taken the name since the look.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure::because(QStringLiteral("%1 %2 cannot be read: %3.")
                                    .arg(DocumentMessages::couldNotOpen, name,
                                         QString::fromLocal8Bit(strerror(errno))));
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    // Anything after the largest possible document is never read. A later version's extension
    // block may be longer than ours; it has room for that.
    const QByteArray bytes =
        file.read(largestDocumentSize() + kChecksumGeneration * kExtensionHeaderSize +
                  kChecksumSize + kLaterExtensionRoom);
    if (file.error() != QFileDevice::NoError)
        return Failure::because(QStringLiteral("%1 %2 cannot be read: %3.")
                                    .arg(DocumentMessages::couldNotOpen, name, file.errorString()));
    const Failure error = applyDocument(settings, bytes, documentPath);
    if (error.succeeded())
        return Failure::none();
    // A document has no signature: a file too short for its fields is all that shows that it is
    // no design at all.
    if (error.message() == DocumentMessages::readBeyondEnd)
        return Failure::because(QStringLiteral("%1 %2 is not a Lineavo design, or it is cut short.")
                                    .arg(DocumentMessages::readBeyondEnd, name));
    return Failure::because(QStringLiteral("%1 The file is %2.").arg(error.message(), name));
}
