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
    if (auto error = file.open())
        return error;
    if (auto error = writePng(file.device(), page, dotsPerMetre(dotsPerInch),
                              pngSettingsFor(compression), colours))
        return file.cancel().value_or(*error);
    return file.commit();
}

std::optional<QString> writeBmpPage(QImage page, const QString& path, int dotsPerInch) {
    page.setDotsPerMeterX(dotsPerMetre(dotsPerInch));
    page.setDotsPerMeterY(dotsPerMetre(dotsPerInch));
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    // The toolkit writes a 32-bit page as 24-bit rows, converting one row at a time.
    QImageWriter writer(&file.device(), "bmp");
    if (!writer.write(page)) {
        return file.cancel().value_or(
            QStringLiteral("Could not write the picture: %1.").arg(writer.errorString()));
    }
    return file.commit();
}
