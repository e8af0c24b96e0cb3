#pragma once

#include "base/failure.h"
#include "output/png_encoder.h"

#include <QString>

struct CommandArguments;
struct OutputFormat;

// The format a verb writes its file in, and how hard a PNG is compressed.
struct OutputOptions {
    const OutputFormat* format = nullptr;
    PngCompression compression = PngCompression::Fast;
};

// Reads --vector and --png-compression for the file `output`, which its suffix (or the verb)
// makes a file of `named`, into `options`: --vector asks for the vector format of that suffix,
// and --png-compression is for a format that heeds it. Fails with the whole line to print.
Failure readOutputOptions(const CommandArguments& args, const OutputFormat& named,
                          const QString& output, OutputOptions& options);
