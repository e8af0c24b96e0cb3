#include "output/raster_page.h"

#include "document/safe_file_writer.h"
#include "render/draw_page.h"
#include "render/image_surface.h"

#include <QImageWriter>

QImage drawRasterPage(const PageToDraw& page) {
    ImageSurface surface(QSize(page.scale.SurfaceWidth, page.scale.SurfaceHeight));
    DrawPage(surface, page.scale, page.design, page.layers);
    return surface.image();
}

std::optional<QString> writeRasterPage(QImage page, const QString& path, const char* format,
                                       int dotsPerInch) {
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    if (qstrcmp(format, "bmp") == 0)
        page.convertTo(QImage::Format_RGB888); // uncompressed 24-bit, in place
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    QImageWriter writer(&file.device(), format);
    if (!writer.write(page)) {
        return file.cancel().value_or(
            QStringLiteral("Could not write the picture: %1.").arg(writer.errorString()));
    }
    return file.commit();
}
