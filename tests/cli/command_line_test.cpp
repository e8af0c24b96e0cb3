// The command line run as a user runs it: the real program in its own process.
#include "calibration/calibration.h"
#include "document/document_file.h"
#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "picture/open_picture.h"
#include "picture/picture_output.h"
#include "picture/texture_filters.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "settings/setting_names.h"
#include "support/image_compare.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <set>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr double kBase = 25.39995;

struct Result {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

class CommandLine : public ::testing::Test {
  protected:
    Result run(const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
               const QString& standardOutputFile = QString()) {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.setProcessEnvironment(environment);
        if (!standardOutputFile.isEmpty())
            process.setStandardOutputFile(standardOutputFile);
        process.start(LINEAVO_EXECUTABLE, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(' ').toStdString();
        Result result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    QString path(const QString& name) const { return m_folder.filePath(name); }

    // A checkered design with a calibrated look, saved as `name`.
    QString checkeredDesign(const QString& name = "grid.lvo") {
        PaperSettings s;
        s.setPaperKind(PaperKind::Checkered);
        s.field(Setting::CaretSpaceED).setValue(4.2);
        s.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(40, 90, 200));
        s.setFlag(Setting::NoLeftBorderFillCheck, true);
        EXPECT_SUCCEEDS(saveDocument(s, path(name)));
        return path(name);
    }

    static QImage expectedPage(const QString& design, const PageScale& scale) {
        PaperSettings s;
        if (design.isEmpty())
            s.resetToNew();
        else
            EXPECT_SUCCEEDS(openDocument(s, design));
        ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
        DrawPage(surface, scale, pageDesignOf(s));
        return surface.image();
    }

    QTemporaryDir m_folder;
};

PageScale printScale(int width, int height, int dpi, double mmWidth = 100, double mmHeight = 100,
                     double left = 0) {
    PageScale scale;
    scale.SurfaceWidth = width;
    scale.SurfaceHeight = height;
    scale.DotsPerInch = dpi;
    scale.MmPerInchX = mmWidth * kBase / 100;
    scale.MmPerInchY = mmHeight * kBase / 100;
    scale.LeftOffsetMm = left;
    return scale;
}

TEST_F(CommandLine, RendersAPngAsThePrintDrawsIt) {
    const QString design = checkeredDesign();
    const Result r = run({"render", design, "--output", "page.png", "--page", "1200x1500", "--dpi",
                          "600", "--calibration", "3,1,101,99.5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page(path("page.png"));
    EXPECT_TRUE(imagesEqual(expectedPage(design, printScale(1200, 1500, 600, 101, 99.5, 3)), page,
                            "render-png"));
}

TEST_F(CommandLine, PngCompressionBestGivesTheSamePixelsInASmallerFile) {
    const QString design = checkeredDesign();
    const auto render = [&](const QString& file, const QStringList& compression) {
        const Result r = run(
            QStringList{"render", design, "--output", file, "--page", "1200x1500"} + compression);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QFileInfo(path(file)).size();
    };
    const qint64 fast = render("fast.png", {});
    const qint64 best = render("best.png", {"--png-compression", "best"});
    EXPECT_LT(best, fast);
    EXPECT_TRUE(imagesEqual(QImage(path("fast.png")), QImage(path("best.png")), "png-best"));
}

TEST_F(CommandLine, RendersTheNewDesignWithoutADocument) {
    const Result r = run(
        {"render", "--output=new.png", "--dpi=300", "--page=700x900", "--calibration=0,0,100,100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(imagesEqual(expectedPage(QString(), printScale(700, 900, 300)),
                            QImage(path("new.png")), "render-new"));
}

TEST_F(CommandLine, RendersAnUncompressedTwentyFourBitBmp) {
    const Result r = run({"render", "--output", "page.bmp", "--page", "301x203", "--dpi", "150",
                          "--calibration", "0,0,100,100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(path("page.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 18), 301);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 22), 203);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << "bits per pixel";
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u) << "no compression";
    EXPECT_TRUE(imagesEqual(expectedPage(QString(), printScale(301, 203, 150)),
                            QImage(path("page.bmp")), "render-bmp"));
}

TEST_F(CommandLine, RendersAOnePagePdfOfThePageSize) {
    const QString design = checkeredDesign();
    const Result r = run({"render", design, "--output", "page.pdf", "--page", "600x800", "--dpi",
                          "300", "--calibration", "2,0,100,100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(path("page.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1) << "one page";
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 144.000000 192.000000]")) << "2 x 2.67 inches";

    // What reaches the paper lies on the pixels of the raster render.
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QProcess raster;
    raster.setWorkingDirectory(m_folder.path());
    raster.start(pdftoppm, {"-r", "300", "-aa", "no", "-aaVector", "no", "-png", "-singlefile",
                            "page.pdf", "raster"});
    ASSERT_TRUE(raster.waitForFinished(60000));
    EXPECT_TRUE(imagesEqual(expectedPage(design, printScale(600, 800, 300, 100, 100, 2)),
                            QImage(path("raster.png")), "render-pdf"));
}

TEST_F(CommandLine, RenderDrawsTheDesignsPicturesAndWarnsOfThoseThatDoNotOpen) {
    // The pictures lie beside the design, which names them without a folder, away from the
    // folder the command runs in.
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("designs"));
    const QString folder = path("designs/");
    QImage pixels(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(x * 7, y * 11, (x + y) * 5));
    ASSERT_TRUE(pixels.save(folder + "texture.png"));
    ASSERT_TRUE(pixels.mirrored(true, false).save(folder + "logo.png"));
    QFile broken(folder + "broken.png");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("no picture") > 0);
    broken.close();

    struct Row {
        const char* name;
        const char* texture;
        const char* picture;
        const char* warning; // a part of the one warning, or none
    };
    const Row rows[] = {
        {"both open", "texture.png", "logo.png", nullptr},
        {"the picture is missing", "texture.png", "missing.png",
         "missing.png\" cannot be opened. The file does not exist."},
        {"the texture is no picture", "broken.png", "logo.png",
         "broken.png\" cannot be opened. The file is not a picture"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaperSettings s;
        s.setText(Setting::FilenameEdit2, folder + row.texture);
        s.setFlag(Setting::GrayScaleCheck, true);
        s.field(Setting::BreitEd2).setValue(1.3);
        s.setMergeMode(MergeMode::Merge1Check);
        s.setText(Setting::FilenameEdit1, folder + row.picture);
        s.setPictureCorner(PictureCorner::untenrechts);
        ASSERT_SUCCEEDS(saveDocument(s, folder + "design.lvo"));
        const Result r = run({"render", "designs/design.lvo", "--output", "page.png", "--page",
                              "500x700", "--dpi", "150", "--calibration", "0,0,100,100"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), row.warning ? 1 : 0) << r.err.toStdString();
        if (row.warning) {
            EXPECT_TRUE(r.err.contains(row.warning)) << r.err.toStdString();
        }

        const PictureRecord texture =
            loadTexture(folder + row.texture, true, s.flag(Setting::LightenCheck),
                        s.flag(Setting::StrongLightCheck))
                .picture;
        const PictureRecord picture = OpenDib(folder + row.picture).picture;
        ImageSurface expected(QSize(500, 700));
        DrawPage(expected, printScale(500, 700, 150), pageDesignOf(s),
                 PicturePageLayers(texture, picture));
        EXPECT_TRUE(imagesEqual(expected.image(), QImage(path("page.png")), "render-pictures"));
    }
}

struct ZoomCase {
    const char* name;
    const char* zoom;
    QSize box;
};

void PrintTo(const ZoomCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLineZoom : public CommandLine, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(CommandLineZoom, DrawsThePreviewsPageBox) {
    const ZoomCase& c = GetParam();
    const Result r = run({"render", "--output", "preview.png", "--page", "4760x6814", "--dpi",
                          "600", "--zoom", c.zoom, "--calibration", "5,0,100,100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage preview(path("preview.png"));
    EXPECT_EQ(preview.size(), c.box);
    // The preview has no left offset, whatever the calibration says.
    PageScale scale = printScale(c.box.width(), c.box.height(), 96);
    scale.ZoomPercent = QString(c.zoom).toDouble();
    EXPECT_TRUE(imagesEqual(expectedPage(QString(), scale), preview, c.name));
}

INSTANTIATE_TEST_SUITE_P(Zooms, CommandLineZoom,
                         ::testing::Values(ZoomCase{"Zoom100", "100", QSize(761, 1090)},
                                           ZoomCase{"Zoom200", "200", QSize(1523, 2180)},
                                           ZoomCase{"Zoom50", "50", QSize(380, 545)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLine, ThumbnailIsThePreviewWithItsLongerSideAsAskedEvenWithoutItsPictures) {
    PaperSettings s;
    ASSERT_SUCCEEDS(openDocument(s, checkeredDesign()));
    s.setText(Setting::FilenameEdit1, path("missing.png"));
    s.setText(Setting::FilenameEdit2, path("missing.bmp"));
    ASSERT_SUCCEEDS(saveDocument(s, path("design.lvo")));
    struct Row {
        const char* name;
        const char* page;
        const char* side;
        QSize size;
        const char* sameZoom; // the preview's zoom that gives the same page, if a whole one does
    };
    const Row rows[] = {
        {"portrait", "2400x4800", "384", QSize(192, 384), "50"},
        {"landscape", "4800x2400", "192", QSize(192, 96), "25"},
        // 256 / 7015 of each side, the shorter one truncated.
        {"A4 at no whole zoom", "4960x7015", "256", QSize(181, 256), nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Thumbnailers name the output as they please: it is a PNG whatever its name.
        const Result r = run({"render", "design.lvo", "--output", "thumb", "--page", row.page,
                              "--dpi", "600", "--thumbnail", row.side});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage thumbnail(path("thumb"), "PNG");
        EXPECT_EQ(thumbnail.size(), row.size);
        if (!row.sameZoom)
            continue;
        const Result preview = run({"render", "design.lvo", "--output", "preview.png", "--page",
                                    row.page, "--dpi", "600", "--zoom", row.sameZoom});
        ASSERT_EQ(preview.exitCode, 0) << preview.err.toStdString();
        EXPECT_TRUE(imagesEqual(QImage(path("preview.png")), thumbnail, row.name));
    }
}

TEST_F(CommandLine, ShowPrintsTheDesignAsJson) {
    PaperSettings s;
    s.setText(Setting::FilenameEdit1, path("logo.png"));
    s.setText(Setting::Edit1, QString::fromUtf8("Grüße"));
    s.field(Setting::LineWidthEd).setValue(1.25);
    ASSERT_SUCCEEDS(saveDocument(s, path("design.lvo")));

    const Result r = run({"show", "design.lvo"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(r.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(json, settingsToJson(s));
    EXPECT_EQ(json.value("FilenameEdit1").toString(), path("logo.png")) << "resolved";
    EXPECT_EQ(json.value("LineWidthEd").toDouble(), 1.25);
    EXPECT_EQ(json.value("Edit1").toString(), QString::fromUtf8("Grüße"));
}

TEST_F(CommandLine, PictureDescribesAndWritesThePictureAsTheTextureFiltersIt) {
    // A 4-bit picture of black, red and white, named as if it were a JPEG.
    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(255, 255, 255)});
    for (int x = 0; x < 3; ++x)
        indexed.setPixel(x, 0, uint(x));
    ASSERT_SUCCEEDS(writePicture(PictureRecord::fromIndexed(indexed, 4), path("logo.bmp")));
    ASSERT_TRUE(QFile::rename(path("logo.bmp"), path("logo.jpg")));
    struct Row {
        const char* name;
        QStringList switches;
        int depth, colors;
        int blackBecomes, redBecomes; // the red part of the first two pixels
    };
    const Row rows[] = {
        {"as the file stores it", {}, 4, 3, 0, 255},
        {"grey", {"--grayscale"}, 24, 0, 0, 76},
        {"lightened", {"--lighten"}, 24, 0, 192, 255},
        {"strong lightening alone changes nothing", {"--strong-lighten"}, 4, 3, 0, 255},
        {"strongly lightened", {"--strong-lighten", "--lighten"}, 24, 0, 224, 255},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r =
            run(QStringList{"picture", "logo.jpg", "--output", "out.bmp"} + row.switches);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(r.out).object();
        EXPECT_EQ(json, (QJsonObject{{"width", 3},
                                     {"height", 1},
                                     {"depth", row.depth},
                                     {"colors", row.colors},
                                     {"format", "BMP"}}))
            << r.out.toStdString();
        const DecodedPicture written = OpenDib(path("out.bmp"));
        ASSERT_TRUE(written.ok()) << written.error.toStdString();
        EXPECT_EQ(written.picture.depth(), row.depth);
        EXPECT_EQ(qRed(written.picture.pixelColor(0, 0)), row.blackBecomes);
        EXPECT_EQ(qRed(written.picture.pixelColor(1, 0)), row.redBecomes);
    }
}

TEST_F(CommandLine, SaveSetsEachKindThroughItsField) {
    const Result r = run({"save",  "out.lvo",
                          "--set", "LineSpaceEd=12345",
                          "--set", "KariertCheck=on",
                          "--set", "ColvarColorComboBox3=#102030",
                          "--set", "NoRightBorderFillCheck=on",
                          "--set", "Merge1Check=on",
                          "--set", "FilenameEdit1=logo.png",
                          "--set", "Edit1=Hallo Welt",
                          "--set", "FontSize=12",
                          "--set", "FontColor=255"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    PaperSettings s;
    ASSERT_SUCCEEDS(openDocument(s, path("out.lvo")));
    EXPECT_EQ(s.field(Setting::LineSpaceEd).text(), "10000.00");
    EXPECT_EQ(s.paperKind(), PaperKind::Checkered);
    EXPECT_EQ(s.colour(Setting::ColvarColorComboBox3), colorValueFromRgb(0x10, 0x20, 0x30));
    EXPECT_TRUE(s.flag(Setting::NoRightBorderFillCheck));
    EXPECT_EQ(s.mergeMode(), MergeMode::Merge1Check);
    EXPECT_EQ(s.text(Setting::FilenameEdit1), path("logo.png"));
    EXPECT_EQ(s.text(Setting::Edit1), "Hallo Welt");
    EXPECT_EQ(s.font().sizePoints, 12);
    EXPECT_EQ(s.font().color, 255);

    QFile file(path("out.lvo"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().mid(63, 9), "\x08logo.png") << "stored beside the document";
}

TEST_F(CommandLine, SavePresetComesBeforeTheSettings) {
    const QString design = checkeredDesign();
    const Result r =
        run({"save", design, "out.lvo", "--set", "MajorEveryEd=10", "--preset", "engineering"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    PaperSettings s;
    ASSERT_SUCCEEDS(openDocument(s, path("out.lvo")));
    EXPECT_EQ(s.field(Setting::CaretSpaceED).text(), "5.00") << "the preset's";
    EXPECT_EQ(s.field(Setting::MajorEveryEd).text(), "10") << "--set's";
    EXPECT_TRUE(s.flag(Setting::NoLeftBorderFillCheck)) << "the design's";
}

TEST_F(CommandLine, SaveStartsFromTheGivenDesign) {
    const QString design = checkeredDesign();
    const Result r = run({"save", design, "copy.lvo", "--set", "CaretSpaceED=6"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    PaperSettings s;
    ASSERT_SUCCEEDS(openDocument(s, path("copy.lvo")));
    EXPECT_EQ(s.paperKind(), PaperKind::Checkered);
    EXPECT_EQ(s.field(Setting::CaretSpaceED).text(), "6.00");
    EXPECT_TRUE(s.flag(Setting::NoLeftBorderFillCheck));
}

// The fields hold their text in the user's number format; the command line and the
// documents do not depend on it.
TEST_F(CommandLine, NumbersMeanTheSameInAGermanSession) {
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    german.insert("LC_ALL", "de_DE.UTF-8");
    german.insert("LANG", "de_DE.UTF-8");
    const Result saved =
        run({"save", "de.lvo", "--set", "LineSpaceEd=9.456", "--set", "BorderTopEd=1e1"}, german);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const Result shown = run({"show", "de.lvo"}, german);
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(shown.out).object();
    EXPECT_EQ(json.value("LineSpaceEd").toDouble(), 9.46);
    EXPECT_EQ(json.value("BorderTopEd").toDouble(), 10);
    EXPECT_EQ(json.value("LineWidthEd").toDouble(), 0.75);
}

TEST_F(CommandLine, RenderLeavesAFifoOfTheOutputsNameAlone) {
    ASSERT_EQ(mkfifo(path("page.png").toLocal8Bit().constData(), 0600), 0);
    const Result r = run({"render", "--output", "page.png", "--page", "10x10"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("page.png: this is not a regular file")) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo(path("page.png")).isFile());
}

struct FailureCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* messagePart;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLineFailure : public CommandLine, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CommandLineFailure, SaysWhatIsWrongAndWritesNothing) {
    const FailureCase& c = GetParam();
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("folder.lvo"));
    QFile truncated(path("short.lvo"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write("\x01\x02\x03");
    truncated.close();

    const Result r = run(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(c.messagePart)) << r.err.toStdString();
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"folder.lvo", "short.lvo"}));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CommandLineFailure,
    ::testing::Values(
        FailureCase{"MissingDesign",
                    {"render", "missing.lvo", "--output", "x.png"},
                    1,
                    "Could not open file! \"missing.lvo\" does not exist."},
        FailureCase{
            "ShowMissing", {"show", "missing.lvo"}, 1, "Could not open file! \"missing.lvo\""},
        FailureCase{"ShowShortFile",
                    {"show", "short.lvo"},
                    1,
                    "Read beyond end of file. \"short.lvo\" is not a Lineavo design"},
        FailureCase{"SaveFromAFolder", {"save", "folder.lvo", "out.lvo"}, 1, "folder.lvo"},
        FailureCase{"SaveOverAFolder",
                    {"save", "folder.lvo"},
                    1,
                    "Could not create file! \"folder.lvo\" is a folder"},
        FailureCase{"SaveTextTooLong",
                    {"save", "out.lvo", "--set", "Edit1=" + QString(300, 'a')},
                    1,
                    "The free text is 300 characters long; a document holds at most 255. The "
                    "design was not saved as \"out.lvo\"."},
        FailureCase{"RenderIntoMissingFolder",
                    {"render", "--output", "nowhere/x.png", "--page", "10x10"},
                    1,
                    "nowhere/x.png"},
        FailureCase{"UnknownOption",
                    {"render", "--output", "x.png", "--colour", "red"},
                    2,
                    "Unknown option --colour"},
        FailureCase{"NoOutput", {"render"}, 2, "--output"},
        FailureCase{
            "UnknownPictureType", {"render", "--output", "x.jpg"}, 2, ".png, .bmp, .pdf or .svg"},
        FailureCase{"DpiNotANumber", {"render", "--output", "x.png", "--dpi", "many"}, 2, "--dpi"},
        FailureCase{
            "PageWithoutHeight", {"render", "--output", "x.png", "--page", "4760"}, 2, "--page"},
        FailureCase{"CalibrationOfThreeNumbers",
                    {"render", "--output", "x.png", "--calibration", "0,100,100"},
                    2,
                    "--calibration"},
        FailureCase{"CalibrationNotANumber",
                    {"render", "--output", "x.png", "--calibration", "0,0,nan,100"},
                    2,
                    "--calibration"},
        FailureCase{"DpiTooLowForAGrid", {"render", "--output", "x.png", "--dpi", "1"}, 2, "--dpi"},
        FailureCase{"PageTooLarge",
                    {"render", "--output", "x.pdf", "--page", "100000x100000"},
                    1,
                    "too large"},
        FailureCase{"ZoomZero", {"render", "--output", "x.png", "--zoom", "0"}, 2, "--zoom"},
        FailureCase{"ThumbnailOfNoPixels",
                    {"render", "--output", "x.png", "--thumbnail", "0"},
                    2,
                    "--thumbnail needs"},
        FailureCase{"ThumbnailWithZoom",
                    {"render", "--output", "x.png", "--thumbnail", "96", "--zoom", "50"},
                    2,
                    "do not go together"},
        FailureCase{"DeviceUnknown",
                    {"render", "--output", "x.png", "--device", "nosuch"},
                    2,
                    "--device needs list or one of remarkable-2"},
        FailureCase{"DeviceWithPaper",
                    {"render", "--device", "kindle-scribe", "--output", "x.png", "--paper", "A4"},
                    2,
                    "--device and --paper do not go together"},
        FailureCase{"DeviceWithPages",
                    {"render", "--device", "kindle-scribe", "--output", "x.pdf", "--pages", "2"},
                    2,
                    "--device and --pages do not go together"},
        FailureCase{"DevicePdfWhereTheTabletTakesNone",
                    {"render", "--device", "supernote-a5x", "--output", "x.pdf"},
                    2,
                    "x.pdf: the supernote-a5x takes no PDF templates"},
        FailureCase{"BundleOntoAFile",
                    {"render", "--device", "remarkable-2", "--bundle", "short.lvo"},
                    2,
                    "short.lvo: --bundle needs a folder"},
        FailureCase{"BundleForATabletWithoutTemplateFiles",
                    {"render", "--device", "boox-note-air", "--bundle", "templates"},
                    2,
                    "the boox-note-air takes no template bundle"},
        FailureCase{
            "ToolbarMarginAsWideAsTheScreen",
            {"render", "--device", "remarkable-2", "--output", "x.png", "--toolbar-margin", "1404"},
            2,
            "--toolbar-margin needs a whole number of pixels from 0 to 1403"},
        FailureCase{"SnapWithoutDevice",
                    {"render", "--output", "x.png", "--snap-pixels", "--toolbar-margin", "10"},
                    2,
                    "--toolbar-margin and --snap-pixels go only with --device"},
        FailureCase{"ShowTwoFiles", {"show", "a.lvo", "b.lvo"}, 2, "exactly one"},
        FailureCase{"SaveWithoutOutput", {"save"}, 2, "output file"},
        FailureCase{
            "SetWithoutValue", {"save", "out.lvo", "--set", "LineSpaceEd"}, 2, "NAME=VALUE"},
        FailureCase{"SetUnknownName",
                    {"save", "out.lvo", "--set", "Colour=red"},
                    2,
                    "no setting called \"Colour\""},
        FailureCase{"SetBadNumber",
                    {"save", "out.lvo", "--set", "LineSpaceEd=wide"},
                    2,
                    "\"wide\" for LineSpaceEd"},
        FailureCase{
            "SingleDashOption", {"render", "--output", "x.png", "-x"}, 2, "Unknown option -x."},
        FailureCase{"MistypedVerb", {"rendr", "--output", "x.png"}, 2, "Unknown command \"rendr\""},
        FailureCase{"OptionsWithoutVerb", {"--output", "x.png"}, 2, "Unknown command \"--output\""},
        FailureCase{"DesignWithMoreWords", {"short.lvo", "x"}, 2, "opens one design file alone"},
        FailureCase{"ShowEmptyName", {"show", ""}, 2, "No file name given."},
        FailureCase{
            "RenderEmptyName", {"render", "", "--output", "x.png"}, 2, "No file name given."},
        FailureCase{"DashedNameAfterOptionsEnd",
                    {"render", "--output", "x.png", "--page", "10x10", "--", "-y.lvo"},
                    1,
                    "Could not open file! \"-y.lvo\""},
        FailureCase{"BmpOverTwoGiB",
                    {"render", "--output", "x.bmp", "--page", "26755x26755"},
                    1,
                    "x.bmp: a BMP file holds at most 2 GiB"},
        FailureCase{
            "PngSideBeyondThePngLibrary",
            {"render", "--output", "x.png", "--page", "1000000x1", "--dpi", "24", "--zoom", "200"},
            1,
            "x.png: a PNG file can be written at most"},
        FailureCase{"PictureMissing",
                    {"picture", "logo.png"},
                    1,
                    "The picture \"logo.png\" cannot be opened. The file does not exist."},
        FailureCase{"PictureOfADesign", {"picture", "short.lvo"}, 1, "not a picture"},
        FailureCase{"PictureOfAFolder", {"picture", "folder.lvo"}, 1, "not a regular file"},
        FailureCase{"PictureWithoutFile", {"picture", "--lighten"}, 2, "exactly one picture"},
        FailureCase{
            "PictureSwitchWithValue", {"picture", "a.png", "--grayscale=1"}, 2, "takes no value"},
        FailureCase{
            "PictureOutputJpeg", {"picture", "a.png", "--output", "a.jpg"}, 2, ".png or .bmp"},
        FailureCase{"PicturePercentAbove100",
                    {"print-picture", "a.png", "--width", "101"},
                    2,
                    "--width needs a whole number from 1 to 100"},
        FailureCase{"PictureHeightWithAspectKept",
                    {"print-picture", "a.png", "--width", "20", "--height", "30"},
                    2,
                    "give --width alone"},
        FailureCase{"PictureStretchWithoutHeight",
                    {"print-picture", "a.png", "--stretch", "--width", "20"},
                    2,
                    "--height as well"},
        FailureCase{"PictureHeightWithoutWidth",
                    {"print-picture", "a.png", "--stretch", "--height", "20"},
                    2,
                    "needs --width"},
        FailureCase{"PictureBothPlacements",
                    {"print-picture", "a.png", "--centered", "--top-left"},
                    2,
                    "not both"},
        FailureCase{"PresetUnknown",
                    {"save", "out.lvo", "--preset", "legal-pad"},
                    2,
                    "no preset called \"legal-pad\""},
        FailureCase{"PaperUnknown", {"render", "--output", "x.png", "--paper", "A2"}, 2, "--paper"},
        FailureCase{"PaperAndPage",
                    {"render", "--output", "x.png", "--paper", "A5", "--page", "10x10"},
                    2,
                    "do not go together"},
        FailureCase{"LandscapeWithPage",
                    {"render", "--output", "x.png", "--landscape", "--page", "10x10"},
                    2,
                    "--landscape"},
        FailureCase{"PdfPageOver200Inches",
                    {"render", "--output", "x.pdf", "--page", "20001x100", "--dpi", "100"},
                    1,
                    "x.pdf: a PDF page can be at most 200 inches a side"},
        FailureCase{"VectorPageOver200Inches",
                    {"render", "--output", "x.svg", "--page", "100x20001", "--dpi", "100"},
                    1,
                    "x.svg: an SVG page can be at most 200 inches a side"},
        FailureCase{"VectorForAPng",
                    {"render", "--output", "x.png", "--vector"},
                    2,
                    "x.png: --vector is for a PDF file only."},
        FailureCase{"PngCompressionUnknown",
                    {"render", "--output", "x.png", "--png-compression", "9"},
                    2,
                    "--png-compression needs fast or best"},
        FailureCase{"PngCompressionForABmp",
                    {"render", "--output", "x.bmp", "--png-compression", "best"},
                    2,
                    "x.bmp: --png-compression"},
        FailureCase{"NoPages",
                    {"render", "--output", "x.pdf", "--pages", "0"},
                    2,
                    "--pages needs a whole number from 1 to 10000."},
        FailureCase{"PagesAboveTheMost",
                    {"render", "--output", "x.pdf", "--pages", "10001"},
                    2,
                    "--pages needs a whole number"},
        FailureCase{"PagesNoNumber",
                    {"render", "--output", "x.pdf", "--pages", "x"},
                    2,
                    "--pages needs a whole number"},
        FailureCase{"PagesForAPng",
                    {"render", "--output", "x.png", "--pages", "2"},
                    2,
                    "x.png: --pages above 1 is for a PDF file only."},
        FailureCase{
            "PrintPagesNoNumber", {"print", "--pages", "x"}, 2, "--pages needs a whole number"}),
    [](const auto& info) { return std::string(info.param.name); });

// A notebook is one PDF of N pages, each of the size of the single page, and a notebook of one
// page is the single page, byte for byte.
TEST_F(CommandLine, PagesWritesOnePdfOfThatManyPagesOfThePagesSize) {
    const bool poppler = !QStandardPaths::findExecutable("pdfinfo").isEmpty();
    const QString design = checkeredDesign();
    // A size of no whole number of points, whose media boxes are cut to the exact size.
    const QStringList page = {"render", design, "--page", "1001x333", "--dpi", "97"};
    for (const QStringList& kind : {QStringList(), QStringList{"--vector"}}) {
        SCOPED_TRACE(kind.join(' ').toStdString());
        const auto render = [&](const QString& file, const QStringList& more) {
            const Result r = run(page + kind + QStringList{"--output", file} + more);
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
            QFile pdf(path(file));
            // Written at different moments, two PDFs differ in their creation date alone.
            static const QRegularExpression date(R"(/CreationDate \(D:[^)]*\))");
            return pdf.open(QIODevice::ReadOnly)
                       ? QString::fromLatin1(pdf.readAll()).remove(date).toLatin1()
                       : QByteArray();
        };
        const QByteArray single = render("single.pdf", {});
        EXPECT_EQ(render("one.pdf", {"--pages", "1"}), single);
        const QByteArray book = render("book.pdf", {"--pages", "3"});
        EXPECT_EQ(book.count("/Type /Page") - book.count("/Type /Pages"), 3);
        const qsizetype box = single.indexOf("/MediaBox");
        const QByteArray singleBox = single.mid(box, single.indexOf(']', box) - box);
        EXPECT_EQ(book.count(singleBox), 3) << singleBox.toStdString();
        if (const QString qpdf = QStandardPaths::findExecutable("qpdf"); !qpdf.isEmpty()) {
            // The index still points at every object after the boxes were cut on the way.
            EXPECT_EQ(QProcess::execute(qpdf, {"--check", path("book.pdf")}), 0);
        }
        if (!poppler)
            continue;
        QProcess info;
        info.start(QStandardPaths::findExecutable("pdfinfo"),
                   {"-f", "1", "-l", "3", path("book.pdf")});
        ASSERT_TRUE(info.waitForFinished(60000));
        const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
        EXPECT_TRUE(text.contains("Pages:           3")) << text.toStdString();
        // Without page numbers, the last page is drawn as the first.
        QProcess raster;
        raster.setWorkingDirectory(m_folder.path());
        raster.start(QStandardPaths::findExecutable("pdftoppm"),
                     {"-r", "97", "-f", "1", "-l", "3", "-png", "book.pdf", "page"});
        ASSERT_TRUE(raster.waitForFinished(60000));
        const QImage first(path("page-1.png"));
        EXPECT_FALSE(first.isNull());
        EXPECT_EQ(QImage(path("page-3.png")), first);
        EXPECT_EQ(text.count(QString("size:  %1 x %2 pts")
                                 .arg(1001 * 72.0 / 97, 0, 'g', 6)
                                 .arg(333 * 72.0 / 97, 0, 'g', 6)),
                  3)
            << text.toStdString();
    }
}

struct PdfSizeCase {
    const char* name;
    QStringList arguments;
    QSize pixels;
    int dotsPerInch;
};

void PrintTo(const PdfSizeCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLinePdfSize : public CommandLine, public ::testing::WithParamInterface<PdfSizeCase> {
  protected:
    QString tool(const char* name, const QStringList& arguments) {
        const QString program = QStandardPaths::findExecutable(name);
        if (program.isEmpty())
            return QString();
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }
};

// The page is the printable area to the fraction of a point, so that a rasteriser at the
// render's resolution gives back exactly its pixels.
TEST_P(CommandLinePdfSize, PageIsExactlyThePrintableArea) {
    const PdfSizeCase& c = GetParam();
    const Result r = run(QStringList{"render", "--output", "page.pdf"} + c.arguments);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
        QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";

    const QString info = tool("pdfinfo", {"page.pdf"});
    const QString size = QStringLiteral("%1 x %2 pts")
                             .arg(c.pixels.width() * 72.0 / c.dotsPerInch, 0, 'g', 6)
                             .arg(c.pixels.height() * 72.0 / c.dotsPerInch, 0, 'g', 6);
    EXPECT_TRUE(info.contains("Page size:       " + size)) << info.toStdString();

    tool("pdftoppm",
         {"-r", QString::number(c.dotsPerInch), "-singlefile", "-png", "page.pdf", "raster"});
    EXPECT_EQ(QImageReader(path("raster.png")).size(), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CommandLinePdfSize,
    ::testing::Values(
        PdfSizeCase{"FractionsOfAPoint", {"--page", "28x27", "--dpi", "30"}, QSize(28, 27), 30},
        PdfSizeCase{"BelowAPoint", {"--page", "27x4", "--dpi", "874"}, QSize(27, 4), 874},
        PdfSizeCase{"OddResolution", {"--page", "1001x333", "--dpi", "97"}, QSize(1001, 333), 97},
        // A size close to a standard paper size is not taken for it.
        PdfSizeCase{"NearA4", {"--page", "4950x7000"}, QSize(4950, 7000), 600},
        PdfSizeCase{"DefaultA4", {"--dpi", "600"}, QSize(4960, 7015), 600},
        PdfSizeCase{"A5", {"--paper", "A5", "--dpi", "254"}, QSize(1480, 2100), 254},
        PdfSizeCase{"LetterLandscape",
                    {"--paper", "letter", "--landscape", "--dpi", "100"},
                    QSize(1100, 850),
                    100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLine, FontNameIsCutAsADocumentCutsIt) {
    const QString longName(40, 'F');
    ASSERT_EQ(run({"save", "font.lvo", "--set", "FontName=" + longName}).exitCode, 0);
    const Result shown = run({"show", "font.lvo"});
    EXPECT_EQ(QJsonDocument::fromJson(shown.out)["FontName"].toString(), longName.left(31));

    ASSERT_EQ(run({"save", "font.lvo", "again.lvo"}).exitCode, 0);
    QFile first(path("font.lvo")), again(path("again.lvo"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), again.readAll());
}

// What a script reads must have arrived: output to a full device is a failure.
TEST_F(CommandLine, LostStandardOutputIsAFailure) {
    ASSERT_EQ(run({"save", "d.lvo"}).exitCode, 0);
    for (const QStringList& arguments : {QStringList{"show", "d.lvo"}, QStringList{"--help"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Result r = run(arguments, QProcessEnvironment::systemEnvironment(), "/dev/full");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("Could not write to standard output")) << r.err.toStdString();
    }
}

TEST_F(CommandLine, WindowWithoutADisplaySaysSo) {
    ASSERT_EQ(run({"save", "d.lvo"}).exitCode, 0);
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(name);
    for (const QStringList& arguments : {QStringList{}, QStringList{"d.lvo"}}) {
        const Result r = run(arguments, noDisplay);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("needs a display")) << r.err.toStdString();
    }
}

// A small volume of its own, on which every kind of file the program writes is replaced with
// less room left than the new file needs. Mounting needs root; elsewhere the test is skipped.
class CommandLineFullDisk : public CommandLine {
  protected:
    static constexpr qint64 kPage = 4096; // the volume's block

    void SetUp() override {
        m_disk = path("disk");
        ASSERT_TRUE(QDir().mkpath(m_disk));
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small volume needs root";
        if (mount("tmpfs", m_disk.toLocal8Bit().constData(), "tmpfs", 0, "size=512k") != 0)
            GTEST_SKIP() << "could not mount a small volume: " << strerror(errno);
        m_mounted = true;
    }
    void TearDown() override {
        if (m_mounted)
            umount2(m_disk.toLocal8Bit().constData(), MNT_DETACH);
    }

    // Writes until the volume refuses, then gives back `room` bytes and checks that exactly
    // that much is free.
    void fillLeaving(qint64 room) {
        const QByteArray filler = (m_disk + "/filler").toLocal8Bit();
        const int fd = open(filler.constData(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray block(kPage, 'f');
        for (qsizetype size = block.size(); size > 0;) {
            if (write(fd, block.constData(), size_t(size)) < 0) {
                ASSERT_EQ(errno, ENOSPC);
                size /= 2;
            }
        }
        ASSERT_EQ(ftruncate(fd, lseek(fd, 0, SEEK_END) - room), 0);
        close(fd);
        struct statvfs volume {};
        ASSERT_EQ(statvfs(m_disk.toLocal8Bit().constData(), &volume), 0);
        ASSERT_EQ(qint64(volume.f_bavail) * qint64(volume.f_frsize), room);
    }

    QString m_disk;
    bool m_mounted = false;
};

// A failure part way through the file is the hard case: the system takes what fits and
// refuses only the next write.
TEST_F(CommandLineFullDisk, KeepsTheOldFileAndSaysTheDiskIsFull) {
    // Noise, so that the pictures written from it take many blocks.
    QImage noise(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 37 % 251, y * 91 % 241, (x * y * 13 + 7) % 239));
    ASSERT_TRUE(noise.save(path("noise.png")));
    ASSERT_EQ(run({"save", "--set", "FilenameEdit1=" + path("noise.png"), "--set", "BreitEd=6",
                   "--set", "HochEd=6", "logo.lvo"})
                  .exitCode,
              0);

    struct Row {
        const char* name;
        const char* file;
        // Replaces the file, or says why not.
        std::function<Result(const QString&)> replace;
        bool namesTheFile = true; // else its caller does
    };
    const auto verb = [this](QStringList arguments) {
        return
            [this, arguments](const QString& file) { return run(QStringList(arguments) << file); };
    };
    const auto render =
        verb({"render", "logo.lvo", "--page", "300x300", "--dpi", "100", "--output"});
    const auto vectorRender =
        verb({"render", "logo.lvo", "--vector", "--page", "300x300", "--dpi", "100", "--output"});
    const auto notebook = verb(
        {"render", "logo.lvo", "--pages", "3", "--page", "300x300", "--dpi", "100", "--output"});
    const auto vectorNotebook = verb({"render", "logo.lvo", "--pages", "3", "--vector", "--page",
                                      "300x300", "--dpi", "100", "--output"});
    const auto picture = verb({"picture", "noise.png", "--output"});
    const Row rows[] = {
        {"document", "d.lvo", verb({"save", "--set", "Edit1=" + QString(200, 'x')})},
        {"PNG", "p.png", render},
        {"BMP", "b.bmp", render},
        {"PDF", "p.pdf", render},
        {"vector PDF", "v.pdf", vectorRender},
        {"PDF notebook", "n.pdf", notebook},
        {"vector PDF notebook", "w.pdf", vectorNotebook},
        {"SVG", "p.svg", render},
        {"picture as PNG", "n.png", picture},
        {"picture as BMP", "n.bmp", picture},
        {"calibration", "options.dat",
         [](const QString& file) {
             const Failure failure = CalibrationSettings().save(file);
             return Result{failure.failed() ? 1 : 0, {}, failure.message()};
         },
         false},
    };
    const QByteArray old = "the old file, which must survive";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result roomy = row.replace(path(row.file));
        ASSERT_EQ(roomy.exitCode, 0) << roomy.err.toStdString();
        const qint64 needs = QFileInfo(path(row.file)).size();
        // No room, a few blocks, and all but the last block the file needs.
        const qint64 lastPage = (needs - 1) / kPage * kPage;
        for (const qint64 room : std::set<qint64>{0, std::min(kPage, lastPage), lastPage}) {
            SCOPED_TRACE(room);
            const QString file = m_disk + "/" + row.file;
            QFile oldFile(file);
            ASSERT_TRUE(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
            oldFile.close();
            fillLeaving(room);

            const Result r = row.replace(file);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_TRUE(r.err.contains("Disk full.")) << r.err.toStdString();
            EXPECT_TRUE(!row.namesTheFile || r.err.contains(file)) << r.err.toStdString();

            ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
            EXPECT_EQ(oldFile.readAll(), old);
            oldFile.close();
            QStringList kept{"filler", row.file};
            kept.sort();
            EXPECT_EQ(QDir(m_disk).entryList(QDir::Files, QDir::Name), kept)
                << "the unfinished new file is removed";
            QFile::remove(m_disk + "/filler");
            QFile::remove(file);
        }
    }
}

TEST_F(CommandLine, HelpPrintsTheUsage) {
    const Result r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("lineavo-pressolo render [DESIGN.lvo] --output FILE"));
    EXPECT_TRUE(r.out.contains("lineavo-pressolo save [DESIGN.lvo] OUTPUT.lvo"));
    EXPECT_TRUE(r.out.contains("lineavo-pressolo picture FILE"));
}

} // namespace
