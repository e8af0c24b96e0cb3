// The verbs that only draw or read files start without the libraries of windows, printers
// and GL: what the dynamic loader reports having loaded for each, run as a user runs it.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct VerbRow {
    const char* name;
    QStringList arguments;
    int exitCode;
};

// Qt Gui brings the GL dispatch libraries with it; these are the ones it does not.
const char* const kUnwanted[] = {"libQt6Widgets", "libQt6PrintSupport", "libQt6OpenGL", "libcups",
                                 "libGL.so"};

class LoadedLibraries : public ::testing::TestWithParam<VerbRow> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(Qt::white);
        ASSERT_TRUE(pixel.save(m_folder.filePath(QStringLiteral("pixel.png"))));
        ASSERT_EQ(run({"save", "design.lvo"}, QProcessEnvironment::systemEnvironment()).exitCode,
                  0);
    }

    struct Run {
        int exitCode = -1;
        QString err;
    };
    Run run(const QStringList& arguments, const QProcessEnvironment& environment) {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.setProcessEnvironment(environment);
        process.start(LINEAVO_EXECUTABLE, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QTemporaryDir m_folder;
};

TEST_P(LoadedLibraries, NoneOfTheWindowOrThePrinter) {
    const VerbRow& row = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    const Run result = run(row.arguments, environment);
    ASSERT_EQ(result.exitCode, row.exitCode) << qPrintable(result.err.right(2000));

    // The loader names every object it starts: "calling init: /path/libX.so.N".
    const QRegularExpression started(QStringLiteral("calling init: (\\S+)"));
    QStringList loaded;
    for (auto match = started.globalMatch(result.err); match.hasNext();)
        loaded << match.next().captured(1).section(u'/', -1);
    ASSERT_FALSE(loaded.isEmpty()) << "the loader reported nothing";
    for (const char* unwanted : kUnwanted) {
        EXPECT_TRUE(loaded.filter(QLatin1String(unwanted)).isEmpty())
            << unwanted << " among " << qPrintable(loaded.join(u' '));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, LoadedLibraries,
    ::testing::Values(
        VerbRow{"RenderPng", {"render", "--page", "16x16", "--output", "page.png"}, 0},
        VerbRow{"RenderThumbnail",
                {"render", "design.lvo", "--thumbnail", "64", "--output", "t.png"},
                0},
        VerbRow{"RenderPdf", {"render", "--page", "16x16", "--output", "page.pdf"}, 0},
        VerbRow{"Show", {"show", "design.lvo"}, 0},
        VerbRow{"Save", {"save", "design.lvo", "copy.lvo", "--preset", "dots"}, 0},
        VerbRow{"Picture", {"picture", "pixel.png"}, 0}, VerbRow{"Help", {"--help"}, 0},
        VerbRow{"MistypedVerb", {"rendr", "design.lvo"}, 2}),
    [](const ::testing::TestParamInfo<VerbRow>& info) { return std::string(info.param.name); });

} // namespace
