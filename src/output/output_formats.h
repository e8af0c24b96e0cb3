#pragma once

#include "base/failure.h"
#include "output/page_to_draw.h"
#include "output/png_encoder.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <span>

struct PageScale;
struct PdfLayout;

class QPainter;

// Which output format a row is, for the choices that concern one format alone: how a tablet's
// page is written in it, or which one a verb's switch turns to.
enum class OutputFormatId { Png, Bmp, ExactPdf, VectorPdf, Svg };

// Which tablets take a page in a format.
enum class TabletUse {
    None,        // none does
    GreyPage,    // every tablet, in 8-bit grey without alpha: its screen shows no colour
    PdfTemplate, // a tablet that takes PDF templates
    InBundle,    // only in a template bundle, beside the grey page
};

// A kind of file a page is written into.
struct OutputFormat {
    OutputFormatId id;
    const char* name;     // as the file dialog shows it
    QStringList suffixes; // in lower case, without the dot; a file's suffix is matched in any case
    // What the format can do.
    bool vector = false;            // marks at their exact positions at any zoom, not pixels
    bool compressionChoice = false; // heeds a PngCompression
    TabletUse tablets = TabletUse::None;
    // Why a page of `pixels` at `dotsPerInch` cannot be held by such a file, if it cannot.
    Failure (*limit)(QSize pixels, int dotsPerInch);
    // Draws the page, tells `drawn`, and writes the page into the file, replacing one there
    // only when the new one is complete; returns the reason of a failure. Only a format with
    // the compression choice heeds `compression`.
    Failure (*write)(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression compression);
    // How a page goes onto a PDF writer, for a file that holds many pages; none for a file of
    // one page.
    void (*drawOnPdf)(QPainter& painter, const PageToDraw& page) = nullptr;
    // How such pages are laid out in a PDF.
    PdfLayout (*pdfLayout)(const PageScale& scale) = nullptr;

    // Whether a file of the format holds many pages, as a notebook's.
    bool manyPages() const { return drawOnPdf != nullptr; }
};

// The resolutions a page is drawn at. Below the least, a grid of millimetres would put many
// lines on every pixel.
inline constexpr int kMinOutputDotsPerInch = 24;
inline constexpr int kMaxOutputDotsPerInch = 9600;
inline constexpr int kDefaultOutputDotsPerInch = 600;

std::span<const OutputFormat> outputFormats();
// The first format of a suffix: of ".pdf", the exact one.
const OutputFormat* outputFormatWithSuffix(const QString& suffix);
// The row of `id`.
const OutputFormat& outputFormat(OutputFormatId id);
// The format a file's name asks for by its suffix.
const OutputFormat* outputFormatOfFile(const QString& path);
// The vector format written under `format`'s suffix: `format` itself if it is vector, the vector
// PDF for the exact one; null where the suffix has none.
const OutputFormat* vectorFormatOf(const OutputFormat& format);
// What is wrong with the name of a file whose format is none of them.
QString unknownOutputSuffixMessage();
// "PNG (*.png);;...", every format, for a file dialog.
QString outputFileFilter();

// Why a file of `format` at `path` cannot be written with pages of `scale`, if it cannot: a page
// too large for the format or to be drawn at all, or a name that is no regular file.
Failure pageFileRefusal(const OutputFormat& format, const QString& path, const PageScale& scale);

// Draws the page at its scale and writes it into `path` as `format`, or says why it cannot be
// done. A page that is too large for the format or to be drawn at all, or a name that is no
// regular file, fails before anything is drawn, so that an impossible page fails at once
// instead of after seconds and gigabytes.
Failure writePageFile(const OutputFormat& format, const QString& path, const PageToDraw& page,
                      const PageDrawn& drawn = {},
                      PngCompression compression = PngCompression::Fast);
