#include "output/device_page.h"

#include "base/system_file_names.h"
#include "output/output_formats.h"
#include "output/paged_page.h"
#include "output/pdf_page.h"
#include "output/pdf_vector_canvas.h"
#include "output/raster_page.h"
#include "output/shifted_canvas.h"
#include "output/svg_canvas.h"
#include "output/tablet_devices.h"
#include "output/vector_marks.h"
#include "output/vector_page.h"
#include "output/whole_file.h"
#include "page/draw_page.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "render/snapped_design.h"

#include <QFileInfo>
#include <QPainter>

namespace {

constexpr QRgb kWhite = 0xffffffff;

PageScale screenScale(const DevicePage& page) {
    return printScale({page.device.pixelsPerInch, page.screen()}, PageCalibration{});
}

// The whole screen: the page drawn right of the toolbar's band, as that rectangle of a page
// starting at the band, and the band then painted white over anything that reached into it.
Failure writeGreyPng(const PageToDraw& drawn, const DevicePage& page, const QString& path,
                     const PageDrawn& told, PngCompression compression) {
    const int toolbar = page.toolbarMarginPixels;
    const auto draw = [&](ImageSurface& surface) {
        DrawPage(surface, drawn.scale, drawn.design, drawn.layers);
        if (toolbar > 0) {
            surface.setPenMode(PenMode::Copy);
            surface.setPenColor(kWhite);
            surface.setBrushColor(kWhite);
            surface.rectangle(-toolbar, 0, 0, drawn.scale.SurfaceHeight);
        }
    };
    return writePngInBands({QRect(QPoint(-toolbar, 0), page.screen()), draw}, path,
                           page.device.pixelsPerInch, compression, PngColours::Grey, told);
}

Failure writeExactPdf(const PageToDraw& drawn, const DevicePage& page, const QString& path,
                      const PageDrawn& told) {
    return writeOnePagePdf(exactPdfLayout(screenScale(page)), path, told, [&](QPainter& painter) {
        painter.translate(page.toolbarMarginPixels, 0);
        painter.setClipRect(QRect(0, 0, drawn.scale.SurfaceWidth, drawn.scale.SurfaceHeight));
        drawPageOnPagedDevice(painter, drawn);
    });
}

// The page right of the band, cut where it ends as the raster page is: a line on the page's
// left edge would reach half its width into the band.
void drawVectorPageRightOf(VectorCanvas& canvas, double band, const PageToDraw& drawn) {
    canvas.clip(QRectF(QPointF(band, 0), VectorPlacement(drawn.scale).pageSize()));
    ShiftedCanvas shifted(canvas, band);
    drawVectorPage(shifted, drawn);
    canvas.unclip();
}

Failure writeVectorPdf(const PageToDraw& drawn, const DevicePage& page, const QString& path,
                       const PageDrawn& told) {
    const PageScale screen = screenScale(page);
    const double band = VectorPlacement(screen).fromPixels(page.toolbarMarginPixels);
    return writeOnePagePdf(vectorPdfLayout(screen), path, told, [&](QPainter& painter) {
        PdfVectorCanvas canvas(painter, screen.DotsPerInch);
        drawVectorPageRightOf(canvas, band, drawn);
    });
}

Failure writeSvg(const PageToDraw& drawn, const DevicePage& page, const QString& path,
                 const PageDrawn& told) {
    const VectorPlacement screen(screenScale(page));
    SvgCanvas canvas(screen.pageSize(), screen.fromPixels(1));
    canvas.fillRect(QRectF(QPointF(), screen.pageSize()), kWhite);
    drawVectorPageRightOf(canvas, screen.fromPixels(page.toolbarMarginPixels), drawn);
    const QByteArray svg = canvas.finish();
    if (told)
        told();
    return writeWholeFile(path, svg);
}

} // namespace

QSize DevicePage::screen() const {
    return landscape ? device.pixels.transposed() : device.pixels;
}

PageScale DevicePage::drawnScale() const {
    const QSize whole = screen();
    return printScale({device.pixelsPerInch, {whole.width() - toolbarMarginPixels, whole.height()}},
                      PageCalibration{});
}

Failure deviceFormatProblem(const OutputFormat* format, const TabletDevice& device) {
    const TabletUse use = format ? format->tablets : TabletUse::None;
    if (use == TabletUse::GreyPage)
        return Failure::none();
    if (use == TabletUse::PdfTemplate) {
        if (device.takesPdf)
            return Failure::none();
        return Failure::because(
            QStringLiteral("the %1 takes no PDF templates; write its page as .png.")
                .arg(device.name()));
    }
    return Failure::because(
        QStringLiteral("a page for the %1 is .png%2.")
            .arg(device.name(), device.takesPdf ? QStringLiteral(" or .pdf") : QString()));
}

Failure writeDevicePage(const OutputFormat& format, const QString& path, const DevicePage& page,
                        const PageDesign& design, const PageLayers& layers, const PageDrawn& drawn,
                        PngCompression compression) {
    if (QFileInfo::exists(path) && !isRegularFile(path))
        return Failure::because(
            QStringLiteral("this is not a regular file; the page is not written there."));
    const PageScale scale = page.drawnScale();
    const PageDesign drawnDesign = page.snapToPixels ? snappedToPixels(design, scale) : design;
    const PageToDraw toDraw{scale, drawnDesign, layers};
    switch (format.id) {
    case OutputFormatId::Png:
        return writeGreyPng(toDraw, page, path, drawn, compression);
    case OutputFormatId::ExactPdf:
        return writeExactPdf(toDraw, page, path, drawn);
    case OutputFormatId::VectorPdf:
        return writeVectorPdf(toDraw, page, path, drawn);
    case OutputFormatId::Svg:
        return writeSvg(toDraw, page, path, drawn);
    case OutputFormatId::Bmp:
        break; // no tablet takes one
    }
    return deviceFormatProblem(&format, page.device);
}
