#include "output/output_formats.h"

#include "page/draw_page.h"
#include "render/device_scales.h"
#include "settings/page_design.h"
#include "settings/paper_settings.h"
#include "support/succeeds.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(OutputFormats, EverySuffixAndTheFilterLeadBackToTheirFormat) {
    const QString filter = outputFileFilter();
    for (const OutputFormat& format : outputFormats()) {
        ASSERT_FALSE(format.suffixes.isEmpty()) << format.name;
        EXPECT_EQ(&outputFormat(format.id), &format);
        for (const QString& suffix : format.suffixes) {
            // A suffix that two formats share leads to the first one.
            const OutputFormat* bySuffix = outputFormatWithSuffix(suffix.toUpper());
            EXPECT_TRUE(bySuffix && bySuffix <= &format) << format.name;
            EXPECT_EQ(outputFormatOfFile("folder.x/page." + suffix), bySuffix) << format.name;
            EXPECT_TRUE(filter.contains("*." + suffix)) << format.name;
            EXPECT_TRUE(unknownOutputSuffixMessage().contains('.' + suffix)) << format.name;
        }
    }
    EXPECT_STREQ(outputFormatWithSuffix("pdf")->name, "PDF"); // the exact one, as always
    EXPECT_EQ(outputFormatOfFile("page"), nullptr);
    EXPECT_EQ(outputFormatOfFile("page.png.txt"), nullptr);
}

TEST(OutputFormats, EveryFormatWritesAFileThatItsReaderRecognises) {
    // What recognises a file of each format: the picture readers, or the mark a PDF opens with.
    const auto pictureOf = [](const char* reader) {
        return [reader](const QString& path) { return QImageReader::imageFormat(path) == reader; };
    };
    const auto pdf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
    };
    const auto svg = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("<svg ");
    };
    const std::vector<std::pair<OutputFormatId, std::function<bool(const QString&)>>> readers = {
        {OutputFormatId::Png, pictureOf("png")},
        {OutputFormatId::Bmp, pictureOf("bmp")},
        {OutputFormatId::ExactPdf, pdf},
        {OutputFormatId::VectorPdf, pdf},
        {OutputFormatId::Svg, svg}};
    ASSERT_EQ(outputFormats().size(), readers.size());

    QTemporaryDir folder;
    const PaperSettings settings;
    const PageScale scale = printScale({50, QSize(120, 160)}, PageCalibration());
    for (const auto& [id, recognises] : readers) {
        const OutputFormat& format = outputFormat(id);
        const char* name = format.name;
        const QString path = folder.filePath(QString::fromLatin1(name) + '.' + format.suffixes[0]);
        ASSERT_SUCCEEDS(writePageFile(format, path, {scale, pageDesignOf(settings), PageLayers()}))
            << name;
        EXPECT_TRUE(recognises(path)) << name;
    }
}
