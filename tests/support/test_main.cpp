#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs with a real application object on the offscreen platform, in the
// C number format unless a test chooses another.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        char runtimeDir[] = "/tmp/lineavo-test-XXXXXX"; // mkdtemp makes it private
        if (mkdtemp(runtimeDir))
            qputenv("XDG_RUNTIME_DIR", runtimeDir);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo-Tests"));
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
