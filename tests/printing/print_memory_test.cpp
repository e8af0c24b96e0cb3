// What printing a large picture costs: the printer's engine must not hold converted copies of
// the whole picture besides the picture itself.
#include "print_queue.h"
#include "support/measured_run.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

void put16le(QByteArray& b, int v) {
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void put32le(QByteArray& b, quint32 v) {
    put16le(b, int(v & 0xffff)), put16le(b, int(v >> 16));
}

// A BMP of 8-bit runs whose first code ends the picture: a kilobyte that opens as `width` ×
// `height` pixels of the palette's first colour.
QByteArray endedRunsBmp(int width, int height) {
    constexpr int kHeaderBytes = 14 + 40 + 256 * 4;
    const QByteArray runs("\0\1", 2);
    QByteArray b("BM");
    put32le(b, kHeaderBytes + runs.size()), put32le(b, 0), put32le(b, kHeaderBytes);
    put32le(b, 40), put32le(b, quint32(width)), put32le(b, quint32(height));
    put16le(b, 1), put16le(b, 8);
    put32le(b, 1); // runs of 8 bits
    put32le(b, quint32(runs.size())), put32le(b, 2835), put32le(b, 2835);
    put32le(b, 256), put32le(b, 0);
    for (int i = 0; i < 256; ++i)
        put32le(b, quint32(i * 0x010305));
    return b + runs;
}

TEST_F(PrintQueueTest, PrintingALargePictureCostsLittleBeyondItsPixels) {
    if (kMemoryIsSanitized)
        GTEST_SKIP() << "the sanitizer's own memory would be counted";
    constexpr int kSide = 8192;
    constexpr qint64 kPictureKilobytes = qint64(kSide) * kSide / 1024; // a byte a pixel
    QTemporaryDir dir;
    QFile file(dir.filePath("large.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(endedRunsBmp(kSide, kSide));
    file.close();

    const int before = newestJobId();
    const MeasuredRun run = runMeasured({"print-picture", file.fileName()});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    ASSERT_GT(run.peakKilobytes, 0) << run.standardError.toStdString();
    // The program itself takes some 60 MB; whole copies of the picture in the engine's formats
    // took five times its pixels.
    EXPECT_LT(run.peakKilobytes, 3 * kPictureKilobytes);
    EXPECT_FALSE(waitForJobAfter(before, QStringLiteral("Lineavo-Picture")).pdfPath.isEmpty());
}

} // namespace
