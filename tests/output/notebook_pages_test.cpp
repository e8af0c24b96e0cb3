// A notebook streams its PDF to the disk, cutting each page's media box on the way: the bytes
// must come out as the single page, finished in memory, has them.
#include "output/media_box_stream.h"
#include "output/notebook_pages.h"

#include "page/draw_page.h"
#include "render/device_scales.h"
#include "settings/paper_settings.h"
#include "support/succeeds.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Two PDFs written at different moments differ in their creation date alone.
QByteArray pdfWithoutDate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression date(QStringLiteral(R"(/CreationDate \(D:[^)]*\))"));
    return QString::fromLatin1(file.readAll()).remove(date).toLatin1();
}

// However the writer splits its writes, every box is cut, and nothing else changes.
TEST(MediaBoxStream, CutsEveryBoxWhereverTheWritesSplitIt) {
    const QByteArray box = "/MediaBox [0 0 10 20]";
    const QByteArray exact = "/MediaBox [0 1 9.5 20]";
    const QByteArray text = "%PDF " + box + " x /MediaBox [0 0 10 2 " + box + box + " /Media";
    QByteArray cut = text;
    cut.replace(box, exact.leftJustified(box.size()));
    for (const int piece : {1, 3, 17, int(text.size())}) {
        SCOPED_TRACE(piece);
        QByteArray sent;
        QBuffer target(&sent);
        target.open(QIODevice::WriteOnly);
        MediaBoxStream stream(target, box, exact.leftJustified(box.size()));
        for (qsizetype at = 0; at < text.size(); at += piece)
            stream.write(text.mid(at, piece));
        stream.finish();
        EXPECT_EQ(sent, cut);
        EXPECT_EQ(stream.boxesCut(), 3);
    }
}

TEST(NotebookPages, OnePageIsTheSinglePageByteForByte) {
    QTemporaryDir folder;
    PaperSettings settings;
    settings.setPaperKind(PaperKind::DotGrid);
    // A page of no whole number of points, whose media box is cut.
    const PageScale scale = printScale({97, QSize(1001, 333)}, PageCalibration());
    const PageDesign design = pageDesignOf(settings);
    const PageLayers layers;
    for (const OutputFormatId id : {OutputFormatId::ExactPdf, OutputFormatId::VectorPdf}) {
        const OutputFormat& format = outputFormat(id);
        SCOPED_TRACE(format.name);
        ASSERT_SUCCEEDS(
            writePageFile(format, folder.filePath("single.pdf"), {scale, design, layers}));
        ASSERT_SUCCEEDS(
            writeNotebookFile(format, folder.filePath("book.pdf"), {scale, design, layers}, 1));
        const QByteArray single = pdfWithoutDate(folder.filePath("single.pdf"));
        EXPECT_FALSE(single.isEmpty());
        EXPECT_EQ(pdfWithoutDate(folder.filePath("book.pdf")), single);
    }
}

} // namespace
