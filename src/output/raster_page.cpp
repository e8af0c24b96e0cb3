#include "output/raster_page.h"

#include "base/safe_file_writer.h"
#include "output/bmp_file.h"
#include "output/chunked_output.h"
#include "page/draw_page.h"
#include "render/image_surface.h"

namespace {

int dotsPerMetre(int dotsPerInch) {
    return qRound(dotsPerInch / 0.0254);
}

// Tells `drawn` after the first band only.
TakeBand toldOnce(const PageDrawn& drawn, TakeBand take) {
    return [&drawn, take = std::move(take), told = false](const QImage& band,
                                                          int top) mutable -> Failure {
        if (!told && drawn)
            drawn();
        told = true;
        return take(band, top);
    };
}

// Commits the file after `written`, or gives it up with the better of the two reasons: the
// file's own (a full disk) says more than the writer's.
Failure settle(SafeFileWriter& file, const Failure& written) {
    if (written.failed()) {
        const Failure own = file.cancel();
        return own.failed() ? own : written;
    }
    return file.commit();
}

BandedPicture wholePage(const PageToDraw& page) {
    return {QRect(0, 0, page.scale.SurfaceWidth, page.scale.SurfaceHeight),
            [&page](ImageSurface& surface) {
                DrawPage(surface, page.scale, page.design, page.layers);
            }};
}

} // namespace

Failure writePngInBands(const BandedPicture& picture, const QString& path, int dotsPerInch,
                        PngCompression compression, PngColours colours, const PageDrawn& drawn) {
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure;
    PngEncoder encoder(file.device(), picture.area.size(), dotsPerMetre(dotsPerInch),
                       pngSettingsFor(compression), colours);
    Failure written = encoder.start();
    if (written.succeeded())
        written = drawInBands(
            picture.area, rowsPerFileBand(picture.area.width()), BandOrder::Downwards, picture.draw,
            toldOnce(drawn, [&encoder](const QImage& band, int) { return encoder.write(band); }));
    if (written.succeeded())
        written = encoder.finish();
    return settle(file, written);
}

Failure writeBmpInBands(const BandedPicture& picture, const QString& path, int dotsPerInch,
                        const PageDrawn& drawn) {
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure;
    ChunkedOutput output(file.device());
    const QByteArray header = bmpHeader(picture.area.size(), dotsPerMetre(dotsPerInch));
    output.write(header.constData(), header.size());
    const qsizetype rowBytes = bmpRowBytes(picture.area.width());
    Failure written =
        drawInBands(picture.area, rowsPerFileBand(picture.area.width()), BandOrder::Upwards,
                    picture.draw, toldOnce(drawn, [&output, rowBytes](const QImage& band, int) {
                        for (int y = band.height() - 1; y >= 0; --y)
                            toBmpRow(reinterpret_cast<const QRgb*>(band.constScanLine(y)),
                                     band.width(), output.room(rowBytes));
                        return output.failure();
                    }));
    if (written.succeeded()) {
        output.flush();
        written = output.failure();
    }
    return settle(file, written);
}

Failure writePngFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression compression) {
    return writePngInBands(wholePage(page), path, page.scale.DotsPerInch, compression,
                           PngColours::Rgb, drawn);
}

Failure writeBmpFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression) {
    return writeBmpInBands(wholePage(page), path, page.scale.DotsPerInch, drawn);
}
