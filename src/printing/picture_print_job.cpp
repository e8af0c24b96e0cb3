#include "printing/picture_print_job.h"

#include "picture/draw_dib.h"
#include "picture/painter_dib_device.h"
#include "printing/current_printer.h"
#include "printing/print_run.h"

std::optional<QString> printPicture(CurrentPrinter& printer, const PictureRecord& dib,
                                    const PicturePrintChoice& choice) {
    if (dib.isEmpty())
        return QStringLiteral("There is no picture to print.");
    if (auto reason = printer.unavailableReason())
        return reason;
    const QSize area = printer.page().printableArea;
    if (area.isEmpty())
        return QStringLiteral("The printer \"%1\" has no printable area for the paper chosen.")
            .arg(printer.name());
    const QRect placed = placePicture(QSize(DibWidth(dib), DibHeight(dib)), area, choice);
    QString refusal;
    auto error =
        runPrintJob(printer, QString::fromLatin1(kPictureJobTitle), 1, [&](QPainter& painter) {
            PainterDibDevice device(painter);
            refusal = DrawDib(device, {placed.x(), placed.y(), placed.width(), placed.height()},
                              dib, {0, 0, DibWidth(dib), DibHeight(dib)}, false);
        });
    if (error)
        return error;
    if (!refusal.isEmpty())
        return refusal;
    return std::nullopt;
}
