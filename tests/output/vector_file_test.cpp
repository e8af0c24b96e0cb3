// Vector pages are files that other programs accept whole: a PDF that a checker finds sound,
// with the free text's font inside it, small enough for pages of many marks; SVG that is
// well-formed XML, also when the free text holds the characters XML reserves.
#include "support/program_run.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct VectorFileCase {
    const char* name;
    QStringList settings;
    const char* output;
    qint64 maxBytes = 0; // none when 0
    // A font the file must carry whole or as a subset, by its PostScript name.
    const char* embeddedFont = nullptr;

    friend void PrintTo(const VectorFileCase& file, std::ostream* out) { *out << file.name; }
};

const QStringList kFreeText = {"Edit1=Tom & Jerry <2> \"quoted\"", "FontName=DejaVu Sans",
                               "FontSize=12"};

const VectorFileCase kCases[] = {
    {"DotGridPdf", {"DotGridCheck=on"}, "page.pdf", 150 * 1024},
    {"RuledPdf", {"LiniertCheck=on"}, "page.pdf", 10 * 1024},
    {"FreeTextPdf", kFreeText, "page.pdf", 0, "DejaVuSans"},
    {"DotGridSvg", {"DotGridCheck=on", "MajorEveryEd=5"}, "page.svg"},
    {"FreeTextSvg", kFreeText, "page.svg"},
};

// Whether pdffonts lists `font` as embedded; its columns end in "emb sub uni object-number
// generation".
bool listsEmbedded(const QByteArray& listing, const QString& font) {
    for (const QString& line : QString::fromUtf8(listing).split(u'\n')) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.size() >= 6 && columns.first().contains(font) &&
            columns[columns.size() - 5] == QStringLiteral("yes"))
            return true;
    }
    return false;
}

class VectorFile : public ::testing::TestWithParam<VectorFileCase> {};

TEST_P(VectorFile, IsAcceptedByOtherPrograms) {
    const VectorFileCase& file = GetParam();
    QTemporaryDir folder;
    const QString design = folder.filePath("design.lvo");
    QStringList save = {"save", design};
    for (const QString& setting : file.settings)
        save << "--set" << setting;
    const ProgramRun saved = runLineavo(save);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();

    const QString page = folder.filePath(QLatin1String(file.output));
    const bool pdf = page.endsWith(".pdf");
    QStringList render = {"render", design, "--output", page, "--paper", "A4"};
    if (pdf)
        render << "--vector";
    const ProgramRun rendered = runLineavo(render);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err.toStdString();

    if (file.maxBytes) {
        EXPECT_LT(QFileInfo(page).size(), file.maxBytes);
    }
    const ProgramRun checked =
        pdf ? runProgram("qpdf", {"--check", page}) : runProgram("xmllint", {"--noout", page});
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString() << checked.err.toStdString();
    if (file.embeddedFont) {
        const ProgramRun fonts = runProgram("pdffonts", {page});
        EXPECT_TRUE(listsEmbedded(fonts.out, QLatin1String(file.embeddedFont)))
            << fonts.out.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, VectorFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
