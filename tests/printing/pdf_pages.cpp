#include "pdf_pages.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

QString pdfInfoField(const QString& pdfPath, const QString& key) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {pdfPath});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0)
        return QString();
    const QString prefix = key + u':';
    for (const QString& line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

int pdfImageCount(const QString& pdfPath) {
    QProcess pdfimages;
    pdfimages.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath});
    if (!pdfimages.waitForFinished(30000) || pdfimages.exitCode() != 0)
        return -1;
    // Two lines of header, then one line per picture.
    const QStringList lines =
        QString::fromUtf8(pdfimages.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return std::max(0, int(lines.size()) - 2);
}

QImage rasterisePdfPage(const QString& pdfPath, int page, int dotsPerInch, const QRect& crop) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QStringList arguments = {"-f",        QString::number(page),
                             "-l",        QString::number(page),
                             "-r",        QString::number(dotsPerInch),
                             "-aa",       "no",
                             "-aaVector", "no",
                             "-png",      "-singlefile"};
    if (!crop.isNull())
        arguments << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
                  << QString::number(crop.width()) << "-H" << QString::number(crop.height());
    arguments << pdfPath << prefix;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), arguments);
    if (!pdftoppm.waitForFinished(120000) || pdftoppm.exitCode() != 0)
        return QImage();
    QImageReader reader(prefix + QStringLiteral(".png"));
    QImageReader::setAllocationLimit(0); // a whole page at a printer's resolution is large
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}
