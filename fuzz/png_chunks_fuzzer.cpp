// Any bytes walked as a PNG's chunks: what is handed on is as long as the device says, reads
// the same from wherever the decoder seeks, and, walked again, loses nothing more.
#include "picture/png_chunks.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray passedOn(QByteArray file) {
    QBuffer source(&file);
    source.open(QIODevice::ReadOnly);
    PngWithoutExtras png(source);
    const QByteArray all = png.readAll();
    if (all.size() != png.size() || all.size() > file.size())
        std::abort();
    // The decoder peeks and seeks back; any place read again reads the same.
    for (qint64 at : {all.size() / 2, qint64(0), all.size() / 3, all.size() - 5, all.size()}) {
        at = qMax(at, qint64(0));
        if (!png.seek(at) || png.read(13) != all.mid(at, 13))
            std::abort();
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray once =
        passedOn(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (passedOn(once) != once)
        std::abort();
    return 0;
}
