#include "support/image_compare.h"

#include <QDir>

::testing::AssertionResult imagesEqual(const QImage& expectedImage, const QImage& actualImage,
                                       const QString& name) {
    const QImage expected = expectedImage.convertToFormat(QImage::Format_RGB32);
    const QImage actual = actualImage.convertToFormat(QImage::Format_RGB32);
    if (expected.size() != actual.size()) {
        return ::testing::AssertionFailure()
               << name.toStdString() << ": sizes differ, expected " << expected.width() << "x"
               << expected.height() << ", actual " << actual.width() << "x" << actual.height();
    }
    QImage difference(expected.size(), QImage::Format_RGB32);
    difference.fill(Qt::white);
    qint64 count = 0;
    QPoint first;
    for (int y = 0; y < expected.height(); ++y) {
        const QRgb* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        const QRgb* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            if ((e[x] & 0xffffff) == (a[x] & 0xffffff))
                continue;
            if (count++ == 0)
                first = QPoint(x, y);
            difference.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    if (count == 0)
        return ::testing::AssertionSuccess();
    // Into the build's own folder for test output, never into the source tree that a test may
    // have been started from.
    QDir output(QStringLiteral(LINEAVO_TEST_OUTPUT_DIR));
    output.mkpath(QStringLiteral("."));
    const QString base = output.absoluteFilePath(name);
    expected.save(base + "-expected.png");
    actual.save(base + "-actual.png");
    difference.save(base + "-difference.png");
    return ::testing::AssertionFailure()
           << name.toStdString() << ": " << count << " pixels differ, the first at (" << first.x()
           << ", " << first.y() << "): expected #" << std::hex << (expected.pixel(first) & 0xffffff)
           << ", actual #" << (actual.pixel(first) & 0xffffff) << "; pictures written to "
           << base.toStdString() << "-*.png";
}
