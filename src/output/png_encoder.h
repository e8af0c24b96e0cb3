#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

#include <optional>

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

// Writes the RGB32 `page` to `device` as an 8-bit RGB or grey PNG that says its resolution,
// straight from the page's rows. Returns the reason of a failure.
std::optional<QString> writePng(QIODevice& device, const QImage& page, int dotsPerMetre,
                                const PngSettings& settings, PngColours colours = PngColours::Rgb);
