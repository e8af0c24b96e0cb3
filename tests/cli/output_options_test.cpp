#include "cli/output_options.h"

#include "cli/command_arguments.h"
#include "output/output_formats.h"
#include "support/succeeds.h"

#include <gtest/gtest.h>

// Both verbs that render read --vector and --png-compression here: the switch turns a file to
// the vector format of its suffix, the compression is for a format that heeds it.
TEST(OutputOptions, VectorAndCompressionFitTheFormatOrSayWhichFile) {
    using enum OutputFormatId;
    struct Row {
        const char* words;
        OutputFormatId named;
        OutputFormatId format;
        PngCompression level;
        const char* failure; // how the line printed starts; null: none
    };
    const Row rows[] = {
        {"", Png, Png, PngCompression::Fast, nullptr},
        {"--vector", ExactPdf, VectorPdf, PngCompression::Fast, nullptr},
        {"--vector", Svg, Svg, PngCompression::Fast, nullptr},
        {"--vector", Png, Png, {}, "out.x: --vector"},
        {"--png-compression best", Png, Png, PngCompression::Best, nullptr},
        {"--png-compression best", Bmp, Bmp, {}, "out.x: --png-compression"},
        {"--vector --png-compression best", ExactPdf, VectorPdf, {}, "out.x: --png-compression"},
        {"--png-compression 9", Png, Png, {}, "--png-compression needs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words);
        CommandArguments args;
        ASSERT_SUCCEEDS(parseCommandArguments(QString(row.words).split(' ', Qt::SkipEmptyParts),
                                              {"png-compression"}, args, {"vector"}));
        OutputOptions options;
        const Failure failure = readOutputOptions(args, outputFormat(row.named), "out.x", options);
        EXPECT_TRUE(row.failure ? failure.message().startsWith(row.failure) : failure.succeeded())
            << failure.message().toStdString();
        if (!row.failure) {
            EXPECT_EQ(options.format, &outputFormat(row.format));
            EXPECT_EQ(options.compression, row.level);
        }
    }
}
