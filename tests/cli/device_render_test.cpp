// render --device: pages for the screens of e-ink tablets, run as a user runs it.
#include "document/document_file.h"
#include "output/tablet_devices.h"
#include "page/draw_page.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/program_run.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

namespace {

class DeviceRender : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    // A checkered design in colour, saved as `name`.
    QString colouredGrid(const QString& name) {
        PaperSettings s;
        s.setPaperKind(PaperKind::Checkered);
        s.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(40, 90, 200));
        EXPECT_SUCCEEDS(saveDocument(s, path(name)));
        return path(name);
    }

    ProgramRun render(const QStringList& arguments) {
        const ProgramRun r = runLineavo(QStringList{"render"} + arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    QTemporaryDir m_folder;
};

quint32 bigEndian(const QByteArray& bytes, qsizetype at) {
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

TEST_F(DeviceRender, EveryDeviceGetsItsScreenInGreyWithItsDensity) {
    for (const TabletDevice& device : tabletDevices()) {
        for (const bool landscape : {false, true}) {
            SCOPED_TRACE(device.name().toStdString() + (landscape ? " landscape" : ""));
            const QString file = path(device.name() + ".png");
            render(QStringList{"--device", device.name(), "--output", file} +
                   (landscape ? QStringList{"--landscape"} : QStringList{}));
            QFile png(file);
            ASSERT_TRUE(png.open(QIODevice::ReadOnly));
            const QByteArray bytes = png.readAll();
            // The header chunk comes first, after the eight bytes of the signature.
            ASSERT_EQ(bytes.mid(12, 4), "IHDR");
            const QSize screen = landscape ? device.pixels.transposed() : device.pixels;
            EXPECT_EQ(QSize(int(bigEndian(bytes, 16)), int(bigEndian(bytes, 20))), screen);
            EXPECT_EQ(bytes[24], 8) << "bits per sample";
            EXPECT_EQ(bytes[25], 0) << "colour type: grey without alpha";
            const qsizetype phys = bytes.indexOf("pHYs");
            ASSERT_GT(phys, 0);
            const quint32 perMetre = qRound(device.pixelsPerInch / 0.0254);
            EXPECT_EQ(bigEndian(bytes, phys + 4), perMetre);
            EXPECT_EQ(bigEndian(bytes, phys + 8), perMetre);
            EXPECT_EQ(bytes[phys + 12], 1) << "in metres";
        }
    }
}

// The screen's pixels in grey: a PNG as written, a PDF as a reader shows it at the screen's
// density, smoothed or not. Null when the PDF reader is missing.
QImage greyScreen(const QString& file, int pixelsPerInch, bool smooth) {
    if (file.endsWith(".png"))
        return QImage(file);
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        return {};
    const QStringList smoothing =
        smooth ? QStringList{} : QStringList{"-aa", "no", "-aaVector", "no"};
    runProgram(pdftoppm, QStringList{"-r", QString::number(pixelsPerInch), "-gray", "-png",
                                     "-singlefile", file, file} +
                             smoothing);
    return QImage(file + ".png").convertToFormat(QImage::Format_Grayscale8);
}

// The band is white, and right of it lies the page a printer of the narrower area would print,
// without calibration, each colour as one grey. A vector page lies there only near enough,
// but is cut at the band as well.
TEST_F(DeviceRender, ToolbarBandIsWhiteAndThePageIsDrawnRightOfIt) {
    const QString design = colouredGrid("grid.lvo");
    const TabletDevice& device = *tabletDeviceNamed("boox-note-air");
    const int band = 150;
    const QSize screen = device.pixels.transposed();
    PaperSettings settings;
    ASSERT_SUCCEEDS(openDocument(settings, design));
    const PageScale scale = printScale(
        {device.pixelsPerInch, {screen.width() - band, screen.height()}}, PageCalibration{});
    ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
    DrawPage(surface, scale, pageDesignOf(settings));
    const QImage& page = surface.image();

    // A vector page is smoothed: lines that begin on the page's left edge, which at this
    // density lies a hair short of a pixel's edge, show that hair in the band's last column.
    struct Row {
        const char* file;
        QStringList options;
        bool exact;
    };
    for (const auto& [file, options, exact] : {Row{"band.png", {}, true}, Row{"band.pdf", {}, true},
                                               Row{"vector.pdf", {"--vector"}, false}}) {
        SCOPED_TRACE(file);
        render(QStringList{design, "--device", device.name(), "--toolbar-margin",
                           QString::number(band), "--landscape", "--output", path(file)} +
               options);
        const QImage pixels = greyScreen(path(file), device.pixelsPerInch, !exact);
        if (pixels.isNull())
            GTEST_SKIP() << "pdftoppm is not installed";
        ASSERT_EQ(pixels.format(), QImage::Format_Grayscale8);
        ASSERT_EQ(pixels.size(), screen);
        std::map<QRgb, int> greyOf{{0xffffffff, 255}};
        int mismatches = 0;
        for (int y = 0; y < screen.height(); ++y) {
            const uchar* row = pixels.constScanLine(y);
            for (int x = 0; x < band; ++x)
                mismatches += row[x] < (exact ? 255 : 250);
            for (int x = band; exact && x < screen.width(); ++x)
                mismatches +=
                    greyOf.try_emplace(page.pixel(x - band, y), row[x]).first->second != row[x];
        }
        EXPECT_EQ(mismatches, 0);
        if (exact) {
            EXPECT_GE(greyOf.size(), 3u) << "white and the grid's two colours";
        }
    }
}

TEST_F(DeviceRender, BundleHoldsThePageAsPngAndSvgAndTheirTemplateEntry) {
    const QString design = colouredGrid("Weekly grid.lvo");
    const QString folder = path("templates/new");
    render({design, "--device", "remarkable-paper-pro", "--bundle", folder});
    EXPECT_EQ(QImage(folder + "/Weekly grid.png").size(), QSize(1620, 2160));
    QFile svg(folder + "/Weekly grid.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));

    QFile list(folder + "/templates.json");
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(list.readAll(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray templates = json.object().value("templates").toArray();
    ASSERT_EQ(templates.size(), 1);
    const QJsonObject entry = templates.first().toObject();
    EXPECT_EQ(entry.value("name").toString(), "Weekly grid");
    EXPECT_EQ(entry.value("filename").toString(), "Weekly grid");
    EXPECT_FALSE(entry.value("iconCode").toString().isEmpty());
    EXPECT_FALSE(entry.value("categories").toArray().isEmpty());
    EXPECT_FALSE(entry.contains("landscape"));

    list.close();
    render({design, "--device", "remarkable-paper-pro", "--bundle", folder, "--landscape"});
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument::fromJson(list.readAll())["templates"][0]["landscape"], true);
}

// A bundle whose files cannot all be written leaves the one before whole: none of its files is
// replaced, and no unfinished file stays in the folder.
TEST_F(DeviceRender, BundleThatCannotBeWrittenWholeReplacesNothing) {
    const QString design = colouredGrid("Grid.lvo");
    const QDir folder(path("bundle"));
    render({design, "--device", "remarkable-2", "--bundle", folder.path()});
    QFile png(folder.filePath("Grid.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    const QByteArray before = png.readAll();
    png.close();
    ASSERT_TRUE(QFile::remove(folder.filePath("Grid.svg")) && folder.mkdir("Grid.svg"));

    const ProgramRun r = runLineavo(
        {"render", design, "--device", "remarkable-2", "--bundle", folder.path(), "--landscape"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Grid.svg")) << r.err.toStdString();
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"Grid.png", "Grid.svg", "templates.json"}));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_EQ(png.readAll(), before);
    QFile list(folder.filePath("templates.json"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_FALSE(list.readAll().contains("landscape"));
}

} // namespace
