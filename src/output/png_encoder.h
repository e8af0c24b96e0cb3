#pragma once

#include "base/failure.h"
#include "output/chunked_output.h"

#include <QIODevice>
#include <QImage>
#include <QString>

#include <vector>

struct png_struct_def;
struct png_info_def;

// How hard the encoder works on a page: the zlib level and strategy and the row filters it
// may choose from (PNG_FILTER_* flags).
struct PngSettings {
    int level;
    int strategy;
    int filters;
};

enum class PngCompression {
    Fast, // pages are mostly white with few colours: the fast settings cost little size
    Best, // the smallest file, at several times the time
};

PngSettings pngSettingsFor(PngCompression compression);

enum class PngColours {
    Rgb,
    Grey, // for screens without colour: each row turned to luma as it is written
};

// Writes a page of `size` pixels to `device` as an 8-bit RGB or grey PNG that says its
// resolution, from RGB32 rows given a band at a time from the top, so that the page need never
// be held whole. The file reaches the device in chunks of a megabyte.
class PngEncoder {
  public:
    PngEncoder(QIODevice& device, QSize size, int dotsPerMetre, const PngSettings& settings,
               PngColours colours);
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // The headers. Before any rows.
    Failure start();
    // The next rows of the page: RGB32, of the page's width.
    Failure write(const QImage& rows);
    // The end of the file, after the page's last row, and everything held sent to the device.
    Failure finish();

    // Where the library's callbacks find the output; only they use it.
    struct Output {
        ChunkedOutput chunks;
        char message[200] = {};
    };

  private:
    // The first failure: the device's, else the library's.
    Failure state() const;
    bool usable() const;

    Output m_output;
    png_struct_def* m_png = nullptr;
    png_info_def* m_info = nullptr;
    QSize m_size;
    int m_dotsPerMetre;
    PngSettings m_settings;
    std::vector<unsigned char> m_greyRow; // empty for RGB
    bool m_broken = false;                // the library has failed, and must not be called again
};
