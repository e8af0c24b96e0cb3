// Vector files of `render` as a print shop and an SVG reader take them, read back with their
// own tools: a page of a named paper is that paper at any resolution, greys are one ink, font
// subsets are named as such, and an SVG shown small keeps its hairlines.
#include "support/program_run.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// Renders a design of `settings` into `output` in `folder`; the program's failure is the test's.
QString rendered(const QTemporaryDir& folder, const QStringList& settings, const QString& output,
                 const QStringList& options) {
    const QString design = folder.filePath("design.lvo");
    QStringList save = {"save", design};
    for (const QString& setting : settings)
        save << "--set" << setting;
    const ProgramRun saved = runLineavo(save);
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const QString path = folder.filePath(output);
    const ProgramRun run = runLineavo(QStringList{"render", design, "--output", path} + options);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return path;
}

// The numbers of the first match of `pattern` in `text`.
std::vector<double> numbersAfter(const QString& text, const QString& pattern) {
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    std::vector<double> numbers;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i)
        numbers.push_back(match.captured(i).toDouble());
    return numbers;
}

TEST(VectorRender, APageOfANamedPaperIsThatPaperAtAnyResolution) {
    struct Row {
        const char* name;
        QStringList options;
        double widthMm;
        double heightMm;
    };
    const Row rows[] = {
        {"A4Pdf150", {"--paper", "A4", "--vector", "--dpi", "150"}, 210, 297},
        {"A4Pdf600", {"--paper", "A4", "--vector", "--dpi", "600"}, 210, 297},
        {"LetterLandscapePdf",
         {"--paper", "Letter", "--landscape", "--vector", "--dpi", "97"},
         279.4,
         215.9},
        {"B5Svg600", {"--paper", "B5", "--dpi", "600"}, 176, 250},
        {"A4Svg150", {"--paper", "A4", "--dpi", "150"}, 210, 297},
    };
    const QString number = QStringLiteral(R"(([\d.]+))");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const bool pdf = row.options.contains("--vector");
        const QString page =
            rendered(folder, {"LiniertCheck=on"}, pdf ? "page.pdf" : "page.svg", row.options);
        if (pdf) {
            const ProgramRun info = runProgram("pdfinfo", {"-box", page});
            const QString text = QString::fromUtf8(info.out);
            const std::vector<double> size =
                numbersAfter(text, "Page size: +" + number + " x " + number);
            ASSERT_EQ(size.size(), 2u) << info.out.toStdString();
            EXPECT_NEAR(size[0], row.widthMm * kPointsPerMm, 1e-3);
            EXPECT_NEAR(size[1], row.heightMm * kPointsPerMm, 1e-3);
            EXPECT_EQ(numbersAfter(text, "MediaBox: +" + number + " +" + number),
                      (std::vector<double>{0, 0}));
        } else {
            QFile file(page);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            QXmlStreamReader svg(&file);
            ASSERT_TRUE(svg.readNextStartElement());
            EXPECT_EQ(svg.attributes().value("width").toString().toStdString(),
                      QString::number(row.widthMm).toStdString() + "mm");
            EXPECT_EQ(svg.attributes().value("height").toString().toStdString(),
                      QString::number(row.heightMm).toStdString() + "mm");
        }
    }
}

// The page's drawing, uncompressed, as a print shop's preflight reads it.
QString contentsOf(const QTemporaryDir& folder, const QString& pdf) {
    const QString plain = folder.filePath("plain.pdf");
    const ProgramRun qdf =
        runProgram("qpdf", {"--qdf", "--object-streams=disable", "--decode-level=all", pdf, plain});
    EXPECT_EQ(qdf.exitCode, 0) << qdf.err.toStdString();
    QFile file(plain);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// Grey rules, a coloured margin and black text: every colour comes with the operator of its
// own space, greys as one component; and a checker finds the PDF sound.
TEST(VectorRender, GreysAreOneInkInAPdfThatCheckersAccept) {
    QTemporaryDir folder;
    const QString page = rendered(
        folder,
        {"LiniertCheck=on", "Edit1=grey", "FontName=DejaVu Sans", "ColvarColorComboBox3=255"},
        "page.pdf", {"--vector", "--pages", "2"});
    const ProgramRun check = runProgram("qpdf", {"--check", page});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    const QString contents = contentsOf(folder, page);
    static const QRegularExpression threeEqual(R"((?:^|\s)([\d.]+) \1 \1 (?:SCN|scn|RG|rg)\s)");
    EXPECT_FALSE(threeEqual.match(contents).hasMatch())
        << threeEqual.match(contents).captured().toStdString();
    EXPECT_TRUE(contents.contains(QRegularExpression(R"(\s0\.\d+ G\s)"))) << "no grey stroke";
    EXPECT_TRUE(contents.contains(QRegularExpression(R"(\s0 g\s)"))) << "no black text";
    EXPECT_TRUE(contents.contains(QRegularExpression(R"(\s1 0 0 RG\s)"))) << "no red margin";
}

// The subset's tag is in its name wherever the font is named, and the face named is the one the
// file holds: a family that is not there is named by the face that stands in for it.
TEST(VectorRender, EmbeddedFontSubsetsAreNamedWithTheirTags) {
    struct Row {
        const char* name;
        const char* family;
        const char* face; // what the font tools must name; none: any face, but a real one
    };
    const Row rows[] = {
        {"Installed", "Liberation Serif", "LiberationSerif"},
        {"Missing", "No Such Family Anywhere", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString page =
            rendered(folder, {"Edit1=Tag", QStringLiteral("FontName=") + row.family}, "page.pdf",
                     {"--vector"});
        const QString fonts = QString::fromUtf8(runProgram("pdffonts", {page}).out);
        const QRegularExpressionMatch listed =
            QRegularExpression(R"(\n([A-Z]{6})\+(\S+) .* yes +yes +yes )").match(fonts);
        ASSERT_TRUE(listed.hasMatch()) << fonts.toStdString();
        if (row.face)
            EXPECT_EQ(listed.captured(2).toStdString(), row.face);
        else
            EXPECT_FALSE(listed.captured(2).contains("NoSuch"));
        const QString contents = contentsOf(folder, page);
        const QString tagged = listed.captured(1) + '+' + listed.captured(2);
        EXPECT_TRUE(contents.contains("/FontName /" + tagged));
        EXPECT_EQ(contents.count("/BaseFont /" + tagged), contents.count("/BaseFont /"));
    }
}

// The family of a `font-family` value that starts with a quoted CSS string.
QString cssFamily(QStringView value) {
    QString family;
    for (qsizetype i = 1; i < value.size() && value[i] != u'\''; ++i)
        family += value[value[i] == u'\\' ? ++i : i];
    return family;
}

// Hairlines keep one screen pixel however small the page is shown, and a font's name with the
// characters that end a CSS string or XML markup comes back whole.
TEST(VectorRender, SvgHairlinesStayVisibleAndFontNamesStayWhole) {
    QTemporaryDir folder;
    const QString family = QStringLiteral(R"(O'Neil \ "Grotesk" & <Co>)");
    const QString page = rendered(
        folder,
        {"LiniertCheck=on", "LineWidthEd=0", "TwoHoles80=on", "Edit1=x", "FontName=" + family},
        "page.svg", {"--paper", "A5", "--dpi", "300"});
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    int hairlines = 0;
    int strokes = 0;
    int holes = 0;
    QString fontFamily;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (svg.name() == u"path")
            ++(svg.attributes().value("vector-effect") == u"non-scaling-stroke" ? hairlines
                                                                                : strokes);
        if (svg.name() == u"circle" &&
            svg.attributes().value("vector-effect") == u"non-scaling-stroke")
            ++holes;
        if (svg.name() == u"text")
            fontFamily = svg.attributes().value("font-family").toString();
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_GT(hairlines, 10); // the rules
    EXPECT_GT(strokes, 0);    // the margins
    EXPECT_EQ(holes, 2);
    EXPECT_EQ(cssFamily(fontFamily).toStdString(), family.toStdString());
}

} // namespace
