#include "cli/output_options.h"

#include "cli/command_arguments.h"
#include "output/output_formats.h"

Failure readOutputOptions(const CommandArguments& args, const OutputFormat& named,
                          const QString& output, OutputOptions& options) {
    options.format = &named;
    // An SVG file is vector graphics anyway; a PDF is exact for its resolution unless asked.
    if (args.switches.contains(QStringLiteral("vector"))) {
        options.format = vectorFormatOf(named);
        if (!options.format)
            return Failure::because(output + QStringLiteral(": --vector is for a PDF file only."));
    }
    const std::optional<QString> compression = args.last(QStringLiteral("png-compression"));
    if (!compression)
        return Failure::none();
    if (*compression != u"fast" && *compression != u"best")
        return Failure::because(QStringLiteral("--png-compression needs fast or best."));
    if (!options.format->compressionChoice)
        return Failure::because(output +
                                QStringLiteral(": --png-compression is for a PNG file only."));
    options.compression = *compression == u"best" ? PngCompression::Best : PngCompression::Fast;
    return Failure::none();
}
