#include "base/system_file_names.h"

#include <QDir>

#include <cstdlib>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t kEscapedByteBase = 0xdc00;

bool isContinuation(unsigned char byte) {
    return (byte & 0xc0) == 0x80;
}

// The code point of the UTF-8 sequence at the start of `bytes`, and its length; a length of 0
// when the bytes there are no well-formed sequence (overlong, a surrogate, past U+10FFFF, cut).
std::pair<char32_t, qsizetype> decodeSequence(QByteArrayView bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    qsizetype length = 0;
    char32_t least = 0;
    char32_t point = 0;
    if (lead < 0x80)
        return {lead, 1};
    if ((lead & 0xe0) == 0xc0) {
        length = 2, least = 0x80, point = lead & 0x1f;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, least = 0x800, point = lead & 0x0f;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, least = 0x10000, point = lead & 0x07;
    } else {
        return {0, 0};
    }
    if (bytes.size() < length)
        return {0, 0};
    for (qsizetype i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!isContinuation(byte))
            return {0, 0};
        point = point << 6 | (byte & 0x3f);
    }
    if (point < least || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff))
        return {0, 0};
    return {point, length};
}

void appendUtf8(char32_t point, QByteArray& bytes) {
    if (point < 0x80) {
        bytes += char(point);
    } else if (point < 0x800) {
        bytes += char(0xc0 | point >> 6);
        bytes += char(0x80 | (point & 0x3f));
    } else if (point < 0x10000) {
        bytes += char(0xe0 | point >> 12);
        bytes += char(0x80 | (point >> 6 & 0x3f));
        bytes += char(0x80 | (point & 0x3f));
    } else {
        bytes += char(0xf0 | point >> 18);
        bytes += char(0x80 | (point >> 12 & 0x3f));
        bytes += char(0x80 | (point >> 6 & 0x3f));
        bytes += char(0x80 | (point & 0x3f));
    }
}

} // namespace

QString fileNameFromSystem(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const auto [point, length] = decodeSequence(bytes);
        if (length == 0) {
            name += QChar(kEscapedByteBase + static_cast<unsigned char>(bytes[0]));
            bytes = bytes.sliced(1);
            continue;
        }
        name += QString::fromUcs4(&point, 1);
        bytes = bytes.sliced(length);
    }
    return name;
}

QByteArray systemFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            appendUtf8(QChar::surrogateToUcs4(unit, name[++i].unicode()), bytes);
        } else if (unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xff) {
            bytes += char(unit - kEscapedByteBase);
        } else {
            // Other lone surrogates never come from the system; they go as the toolkit sends
            // them.
            appendUtf8(QChar::isSurrogate(unit) ? char32_t(QChar::ReplacementCharacter) : unit,
                       bytes);
        }
    }
    return bytes;
}

QString absoluteFileName(const QString& name) {
    if (name.startsWith(u'/'))
        return QDir::cleanPath(name);
    char* folder = ::getcwd(nullptr, 0);
    const QString current = folder ? fileNameFromSystem(folder) : QDir::currentPath();
    std::free(folder);
    return QDir::cleanPath(current + u'/' + name);
}

bool isRegularFile(const QString& name) {
    struct stat info {};
    return ::stat(systemFileName(name).constData(), &info) == 0 && S_ISREG(info.st_mode);
}
