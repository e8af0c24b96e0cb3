// The fonts are set up only for a page that has text: the font library, pointed at a
// configuration that is not there, says so on standard error once it is set up.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct FontRow {
    const char* name;
    QStringList settings; // for "save", before the render
    bool setsUpFonts;
};

class FontSetUp : public ::testing::TestWithParam<FontRow> {
  protected:
    QString run(const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), m_folder.filePath("none.conf"));
        process.setProcessEnvironment(environment);
        process.start(LINEAVO_EXECUTABLE, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << qPrintable(arguments.join(u' '));
        return QString::fromLocal8Bit(process.readAllStandardError());
    }

    QTemporaryDir m_folder;
};

TEST_P(FontSetUp, OnlyForText) {
    const FontRow& row = GetParam();
    ASSERT_TRUE(m_folder.isValid());
    run(QStringList{"save", "design.lvo"} + row.settings);
    const QString err =
        run({"render", "design.lvo", "--thumbnail", "64", "--output", "thumbnail.png"});
    EXPECT_EQ(err.contains(QLatin1String("Fontconfig")), row.setsUpFonts) << qPrintable(err);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, FontSetUp,
    ::testing::Values(FontRow{"Ruled", {}, false},
                      FontRow{"Checkered", {"--set", "KariertCheck=on"}, false},
                      FontRow{"FooterText", {"--set", "Edit1=Lineavo"}, true}),
    [](const ::testing::TestParamInfo<FontRow>& info) { return std::string(info.param.name); });

} // namespace
