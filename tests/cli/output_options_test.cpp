#include "cli/output_options.h"

#include "cli/command_arguments.h"
#include "output/output_formats.h"

#include <gtest/gtest.h>

// --vector turns a file to the vector format of its suffix, and --png-compression is for a
// format that heeds it; both verbs that render read them here.
TEST(OutputOptions, VectorAndCompressionFitTheFormatOrSayWhichFile) {
    struct Row {
        const char* name;
        OutputFormatId named;
        QStringList switches;
        const char* compression; // null: not given
        OutputFormatId format;
        PngCompression level;
        const char* failure; // the start of the line printed; null: none
    };
    const Row rows[] = {
        {"PlainPng",
         OutputFormatId::Png,
         {},
         nullptr,
         OutputFormatId::Png,
         PngCompression::Fast,
         nullptr},
        {"VectorPdf",
         OutputFormatId::ExactPdf,
         {"vector"},
         nullptr,
         OutputFormatId::VectorPdf,
         PngCompression::Fast,
         nullptr},
        {"SvgIsVectorAnyway",
         OutputFormatId::Svg,
         {"vector"},
         nullptr,
         OutputFormatId::Svg,
         PngCompression::Fast,
         nullptr},
        {"VectorPng", OutputFormatId::Png, {"vector"}, nullptr, {}, {}, "out.x: --vector"},
        {"VectorBmp", OutputFormatId::Bmp, {"vector"}, nullptr, {}, {}, "out.x: --vector"},
        {"BestPng",
         OutputFormatId::Png,
         {},
         "best",
         OutputFormatId::Png,
         PngCompression::Best,
         nullptr},
        {"FastPng",
         OutputFormatId::Png,
         {},
         "fast",
         OutputFormatId::Png,
         PngCompression::Fast,
         nullptr},
        {"BestBmp", OutputFormatId::Bmp, {}, "best", {}, {}, "out.x: --png-compression"},
        {"BestVectorPdf",
         OutputFormatId::ExactPdf,
         {"vector"},
         "best",
         {},
         {},
         "out.x: --png-compression"},
        {"UnknownLevel", OutputFormatId::Png, {}, "9", {}, {}, "--png-compression needs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandArguments args;
        args.switches = row.switches;
        if (row.compression)
            args.options.emplace_back("png-compression", row.compression);
        OutputOptions options;
        const Failure failure =
            readOutputOptions(args, outputFormat(row.named), QStringLiteral("out.x"), options);
        if (row.failure) {
            EXPECT_TRUE(failure.message().startsWith(QLatin1String(row.failure)))
                << failure.message().toStdString();
            continue;
        }
        ASSERT_TRUE(failure.succeeded()) << failure.message().toStdString();
        EXPECT_EQ(options.format, &outputFormat(row.format));
        EXPECT_EQ(options.compression, row.level);
    }
}
