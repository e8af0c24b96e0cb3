#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <QSize>

#include <optional>

class QPrinter;

// A JPEG file that a PDF reader decodes to the same pixels as our own decoder does, so that a
// printer can be sent its compressed data unchanged instead of pixels decoded and packed anew.
struct PassableJpeg {
    QSize size;
    int components = 0; // 1 (grey) or 3 (colour)
};

// The file's size and components when it is such a file: a sequential (not progressive) JPEG
// of 8 bits per sample, with one grey or three colour components that both decoders turn
// from YCbCr to RGB alike. Nothing for anything else, which then has to be drawn as pixels.
std::optional<PassableJpeg> passableJpeg(QByteArrayView file);

// Where and how large the page is, as the printer's own PDF pages have it.
struct PdfPageFrame {
    QSize mediaPoints;  // the whole sheet, in points
    QPoint paintOrigin; // the printable area's top-left corner, in device pixels
    int dotsPerInch = 0;
};

// The frame of the pages the toolkit's own engine writes for `printer`.
PdfPageFrame pdfPageFrame(const QPrinter& printer);

// A one-page PDF showing `file` (for which passableJpeg() said yes) stretched into `placed`,
// given in device pixels from the printable area's top-left corner, the data copied unchanged.
QByteArray jpegPdfPage(QByteArrayView file, const PassableJpeg& jpeg, const PdfPageFrame& frame,
                       const QRect& placed);
