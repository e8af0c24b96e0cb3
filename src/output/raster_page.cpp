#include "output/raster_page.h"

#include "base/safe_file_writer.h"
#include "page/draw_page.h"
#include "render/image_surface.h"

#include <QImageWriter>

namespace {

int dotsPerMetre(int dotsPerInch) {
    return qRound(dotsPerInch / 0.0254);
}

} // namespace

QImage drawRasterPage(const PageToDraw& page) {
    ImageSurface surface(QSize(page.scale.SurfaceWidth, page.scale.SurfaceHeight));
    DrawPage(surface, page.scale, page.design, page.layers);
    return surface.image();
}

std::optional<QString> writePngPage(const QImage& page, const QString& path, int dotsPerInch,
                                    PngCompression compression, PngColours colours) {
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure.message();
    if (auto error = writePng(file.device(), page, dotsPerMetre(dotsPerInch),
                              pngSettingsFor(compression), colours)) {
        const Failure own = file.cancel();
        return own.failed() ? own.message() : *error;
    }
    const Failure committed = file.commit();
    return committed.failed() ? std::optional(committed.message()) : std::nullopt;
}

std::optional<QString> writeBmpPage(QImage page, const QString& path, int dotsPerInch) {
    page.setDotsPerMeterX(dotsPerMetre(dotsPerInch));
    page.setDotsPerMeterY(dotsPerMetre(dotsPerInch));
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure.message();
    // The toolkit writes a 32-bit page as 24-bit rows, converting one row at a time.
    QImageWriter writer(&file.device(), "bmp");
    if (!writer.write(page)) {
        const Failure own = file.cancel();
        return own.failed()
                   ? own.message()
                   : QStringLiteral("Could not write the picture: %1.").arg(writer.errorString());
    }
    const Failure committed = file.commit();
    return committed.failed() ? std::optional(committed.message()) : std::nullopt;
}
