#include "viewer/picture_print_job.h"

#include "picture/draw_dib.h"
#include "picture/painter_dib_device.h"
#include "printing/current_printer.h"
#include "printing/pdf_document_job.h"
#include "printing/print_run.h"
#include "viewer/jpeg_pdf_page.h"

namespace {

// The one-page document of the JPEG's own data where it shows the same pixels at the same place
// as the decoded picture would, drawn as the picture always is: stretched whole into `placed`.
std::optional<QByteArray> jpegPage(QPrinter& printer, const PictureRecord& dib, const QRect& placed,
                                   QByteArrayView jpegFile) {
    if (jpegFile.isEmpty() || placed.isEmpty() || printer.outputFormat() != QPrinter::NativeFormat)
        return std::nullopt;
    const std::optional<PassableJpeg> jpeg = passableJpeg(jpegFile);
    if (!jpeg || jpeg->size != QSize(DibWidth(dib), DibHeight(dib)))
        return std::nullopt;
    return jpegPdfPage(jpegFile, *jpeg, pdfPageFrame(printer), placed);
}

} // namespace

Failure printPicture(CurrentPrinter& printer, const PictureRecord& dib,
                     const PicturePrintChoice& choice, QByteArrayView jpegFile) {
    if (dib.isEmpty())
        return Failure::because(QStringLiteral("There is no picture to print."));
    if (Failure reason = printer.unavailable(); reason.failed())
        return reason;
    const QSize area = printer.page().printableArea;
    if (area.isEmpty())
        return Failure::because(
            QStringLiteral("The printer \"%1\" has no printable area for the paper chosen.")
                .arg(printer.name()));
    const QRect placed = placePicture(QSize(DibWidth(dib), DibHeight(dib)), area, choice);
    const QString title = QString::fromLatin1(kPictureJobTitle);
    if (const std::optional<QByteArray> page = jpegPage(printer.printer(), dib, placed, jpegFile))
        return printPdfDocument(printer, title, *page);
    QString refusal;
    Failure failure = runPrintJob(printer, title, 1, [&](QPainter& painter, int) {
        PainterDibDevice device(painter);
        refusal = DrawDib(device, {placed.x(), placed.y(), placed.width(), placed.height()}, dib,
                          {0, 0, DibWidth(dib), DibHeight(dib)}, false);
    });
    if (failure.failed())
        return failure;
    if (!refusal.isEmpty())
        return Failure::because(refusal);
    return Failure::none();
}
